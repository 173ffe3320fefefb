#include "windows/Frmpoint.h"

#include "history/ScoreStore.h"

#include "support/RecordFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class RecordWindow : public ::testing::Test
{
protected:
    void SetUp() override { removeScoreFile(); }
    void TearDown() override
    {
        delete window.data();
        removeScoreFile();
    }

    // Opens the window as the table does, without waiting in its event loop.
    void open()
    {
        delete window.data();
        window = new Frmpoint;
    }
    QString text(const char *control) const
    {
        const QLabel *label = window->findChild<QLabel *>(QString::fromLatin1(control));
        return label ? label->text() : QStringLiteral("(no %1)").arg(QLatin1String(control));
    }

    QPointer<Frmpoint> window;
};

} // namespace

TEST_F(RecordWindow, ShowsTheSavedRecordInAFramelessWindow)
{
    ASSERT_TRUE(writeScoreFile(QStringLiteral("สมชาย"), 10000));
    open();
    EXPECT_EQ(text("lblpoint"), QStringLiteral("10000 บาท"));
    EXPECT_EQ(text("Lblname"), QStringLiteral("สมชาย"));
    EXPECT_EQ(text("Label2"), QStringLiteral("จำนวนเงินที่ทำได้สูงสุด คือ"));
    EXPECT_EQ(text("Label1"), QStringLiteral("โดย"));

    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->size(), QSize(264, 159)); // 3960 × 2385 twips
    // The drawn rectangle (8, 8) to (256, 152) is the window's only frame.
    const QImage picture = window->grab().toImage();
    const QColor outline = window->palette().color(QPalette::WindowText);
    const QColor background = window->palette().color(QPalette::Window);
    EXPECT_EQ(picture.pixelColor(8, 80), outline);
    EXPECT_EQ(picture.pixelColor(256, 80), outline);
    EXPECT_EQ(picture.pixelColor(130, 8), outline);
    EXPECT_EQ(picture.pixelColor(130, 152), outline);
    EXPECT_EQ(picture.pixelColor(4, 80), background);
}

TEST_F(RecordWindow, ReadsTheFileAnewAtEachOpening)
{
    open();
    EXPECT_EQ(text("lblpoint"), QStringLiteral("0 บาท"));
    EXPECT_EQ(text("Lblname"), QString());
    EXPECT_TRUE(QFile::exists(kScoreFile)) << "a missing file is created empty";

    ASSERT_TRUE(writeScoreFile(QStringLiteral("Ann"), -250.75));
    open();
    EXPECT_EQ(text("lblpoint"), QStringLiteral("-250.75 บาท"));
    EXPECT_EQ(text("Lblname"), QStringLiteral("Ann"));
}

TEST_F(RecordWindow, ShowsTheFractionWithTheUsersDecimalSeparator)
{
    const QLocale usual;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ASSERT_TRUE(writeScoreFile(QStringLiteral("Ann"), 500.5));
    open();
    QLocale::setDefault(usual);

    EXPECT_EQ(text("lblpoint"), QStringLiteral("500,5 บาท"));
    EXPECT_EQ(rawScoreFile(), QByteArray("Err($94429")) << "the file keeps its point";
}

TEST_F(RecordWindow, OkClosesIt)
{
    open();
    window->show();
    QPushButton *ok = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "a closed record window goes away";
}
