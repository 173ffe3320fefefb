#include "windows/NameValidator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace {

class NameBox : public ::testing::Test
{
protected:
    NameBox() { box.setValidator(new NameValidator(&box)); }

    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        box.paste();
    }

    QLineEdit box;
};

} // namespace

TEST_F(NameBox, RefusesWhatTheFileCannotKeepAsItIsTypedOrPasted)
{
    QTest::keyClicks(&box, QStringLiteral("Ann$"));
    EXPECT_EQ(box.text(), QStringLiteral("Ann"));

    for (const QString &refused :
         { QStringLiteral("x$y"), QStringLiteral("😀"), QStringLiteral("a\tb"), QStringLiteral("中"),
           QString(QChar(0xD800)) }) {
        paste(refused);
        EXPECT_EQ(box.text(), QStringLiteral("Ann")) << refused.toStdString();
    }

    paste(QStringLiteral(" สมชาย น้ำใจ "));
    EXPECT_EQ(box.text(), QStringLiteral("Ann สมชาย น้ำใจ "));
}

TEST_F(NameBox, TakesBlanksOnlyAndCapsTheLengthAt30)
{
    QTest::keyClicks(&box, QStringLiteral("   "));
    EXPECT_EQ(box.text(), QStringLiteral("   "));

    box.clear();
    QTest::keyClicks(&box, QString(35, QLatin1Char('a')));
    EXPECT_EQ(box.text(), QString(30, QLatin1Char('a')));

    box.clear();
    paste(QString(31, QChar(0x0E01))); // 31 × "ก"
    EXPECT_EQ(box.text(), QString());
    paste(QString(30, QChar(0x0E01)));
    EXPECT_EQ(box.text().size(), 30);
}
