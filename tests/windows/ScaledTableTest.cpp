// The table window at other sizes than its design: the layout, the fonts and the slides scaled,
// the felt in the margin, and no card ever covered by a control, at rest or on its way.
#include "rules/pokdeng/SlidePath.h"
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"
#include "support/ScriptedToolkit.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DesignCanvas.h"
#include "toolkit/FittedLabel.h"
#include "toolkit/Twips.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace pokdeng;

namespace {

const QColor kFelt(0, 128, 0);
const QSize kDesign = twips::size(6300, 5280);

// The bounding box of what a widget paints itself, its background included only if it fills
// one, in its parent's coordinates; null when it paints nothing.
QRect paintedRect(QWidget *widget)
{
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(widget->pos());
}

bool isCard(const QWidget *widget)
{
    return widget->objectName().startsWith(QLatin1String("Imgpl"));
}

// Widgets of the client area in stacking order, bottom first.
std::vector<QWidget *> stack(QWidget *client)
{
    std::vector<QWidget *> widgets;
    for (QObject *child : client->children())
        if (child->isWidgetType())
            widgets.push_back(static_cast<QWidget *>(child));
    return widgets;
}

// Every visible control that paints over, or under, a visible card at rest: "what over what".
std::vector<std::string> cardsCovered(QWidget *client)
{
    std::vector<std::string> faults;
    const auto widgets = stack(client);
    for (QWidget *card : widgets) {
        if (!isCard(card) || card->isHidden())
            continue;
        for (QWidget *control : widgets) {
            if (isCard(control) || control->isHidden())
                continue;
            if (paintedRect(control).intersects(card->geometry()))
                faults.push_back(control->objectName().toStdString() + " over "
                                 + card->objectName().toStdString());
        }
    }
    return faults;
}

// Every pair of visible controls (cards aside) that paint over one another.
std::vector<std::string> controlsOverlapping(QWidget *client)
{
    std::vector<std::string> faults;
    std::vector<std::pair<QWidget *, QRect>> painted;
    for (QWidget *control : stack(client))
        if (!isCard(control) && !control->isHidden())
            painted.emplace_back(control, paintedRect(control));
    for (size_t i = 0; i < painted.size(); ++i)
        for (size_t j = i + 1; j < painted.size(); ++j)
            if (painted[i].second.intersects(painted[j].second))
                faults.push_back(painted[i].first->objectName().toStdString() + " and "
                                 + painted[j].first->objectName().toStdString());
    return faults;
}

class ScaledTable : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile::remove(QStringLiteral("point.pon"));
        QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng")).clear();
        CardSlider::setInstant(true);
        table = std::make_unique<Frmpok>(nullptr, &random);
        table->show();
        QApplication::processEvents();
        client = table->findChild<DesignCanvas *>(QStringLiteral("client"));
        ASSERT_NE(client, nullptr);
        menuHeight = table->height() - client->height();
    }
    void TearDown() override
    {
        CardSlider::setInstant(true);
        EXPECT_TRUE(random.isUsedUp()) << "scripted numbers left over";
        EXPECT_TRUE(toolkit.allAnswersUsed()) << "an expected message box never came";
        table.reset();
        QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng")).clear();
    }

    // Gives the client area this size; returns the scale and the centring offset it should
    // have, worked out here from the design size alone.
    std::pair<double, QPointF> resizeClient(QSize size)
    {
        table->resize(size + QSize(0, menuHeight));
        QApplication::processEvents();
        EXPECT_EQ(client->size(), size);
        const double s = std::min(double(size.width()) / kDesign.width(),
                                  double(size.height()) / kDesign.height());
        return { s,
                 QPointF((size.width() - kDesign.width() * s) / 2,
                         (size.height() - kDesign.height() * s) / 2) };
    }
    template<class T = QWidget> T *control(const char *name) const
    {
        return table->findChild<T *>(QString::fromLatin1(name));
    }
    void bet(const char *option, const std::string &bySeat)
    {
        tableround::bet(table.get(), random, bySeat, option);
    }

    ScriptedToolkit toolkit;
    ScriptedRandom random;
    std::unique_ptr<Frmpok> table;
    DesignCanvas *client = nullptr;
    int menuHeight = 0;
};

// The rectangle r of the design picture, at scale s from offset: each edge within a pixel.
void expectScaled(const QRect &actual, const QRect &design, double s, QPointF offset,
                  const QString &what)
{
    const double left = offset.x() + design.x() * s, top = offset.y() + design.y() * s;
    EXPECT_NEAR(actual.x(), left, 1) << what.toStdString();
    EXPECT_NEAR(actual.y(), top, 1) << what.toStdString();
    EXPECT_NEAR(actual.width(), design.width() * s, 1) << what.toStdString();
    EXPECT_NEAR(actual.height(), design.height() * s, 1) << what.toStdString();
}

TEST_F(ScaledTable, OpensAtItsDesignSizeAndCannotBeMadeSmaller)
{
    EXPECT_EQ(client->size(), kDesign);
    EXPECT_EQ(client->pos(), QPoint(0, menuHeight));
    EXPECT_EQ(table->minimumSize(), table->size());
    EXPECT_TRUE(table->windowFlags() & Qt::WindowMaximizeButtonHint);
    table->resize(200, 150);
    QApplication::processEvents();
    EXPECT_EQ(client->size(), kDesign);
    EXPECT_EQ(client->scale(), 1);
}

// Every control at its design place times the scale, centred; fonts and the fitted labels
// scaled with it; the cards dealt to their scaled places; the felt in the margin.
TEST_F(ScaledTable, EverythingScalesUniformlyAndCentred)
{
    bet("Opt1000", "KS QS 8S | AS 6H 2C | 5D 2D 3D | 6S 2H 4C");
    std::map<QWidget *, std::pair<QRect, double>> designed; // geometry and font at 1x
    for (QWidget *widget : stack(client))
        if (!isCard(widget))
            designed[widget] = { widget->geometry(), widget->font().pointSizeF() };

    const struct
    {
        const char *name;
        QSize client;
    } rows[] = {
        { "twice the size", kDesign * 2 },
        { "1.37 times, wider than tall", QSize(900, 482) },
        { "2.37 times, taller than wide", QSize(995, 1000) },
        { "back at the design size", kDesign },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const auto [s, offset] = resizeClient(row.client);
        EXPECT_NEAR(client->scale(), s, 1e-9);
        for (const auto &[widget, design] : designed) {
            const QString name = widget->objectName();
            expectScaled(widget->geometry(), design.first, s, offset, name);
            if (auto *fitted = qobject_cast<FittedLabel *>(widget)) {
                EXPECT_EQ(fitted->scale(), s) << name.toStdString();
                EXPECT_LE(fitted->font().pointSizeF(), fitted->designFont().pointSizeF() * s)
                    << name.toStdString();
                EXPECT_GE(fitted->font().pointSizeF(), design.second * s * 0.85)
                    << name.toStdString() << " shrank far more than at 1x";
            } else {
                EXPECT_NEAR(widget->font().pointSizeF(), design.second * s, 0.01)
                    << name.toStdString();
            }
        }
        for (int k = 1; k <= 9; ++k) {
            const SlotPlace place = *slotPlace(k);
            auto *card = control(QStringLiteral("Imgpl%1").arg(k).toLatin1());
            expectScaled(card->geometry(), twips::rect(place.end.left, place.end.top, 1065, 1440),
                         s, offset, card->objectName());
            EXPECT_EQ(card->size(), control<QLabel>("Imgpl9")->size()) << "every card alike";
        }

        const QImage shot = table->grab().toImage();
        const int middle = menuHeight + row.client.height() / 2;
        for (const QPoint &margin : { QPoint(1, middle), QPoint(row.client.width() - 2, middle),
                                      QPoint(row.client.width() / 2, shot.height() - 2) })
            EXPECT_EQ(shot.pixelColor(margin), kFelt) << margin.x() << "," << margin.y();
    }
    // The round goes on at the new size: the user stands, the outcome box comes.
    toolkit.expect(ScriptedToolkit::Answer::Ok);
    control<QPushButton>("cmdnoreq")->click();
}

// With the advisor on, the table and its line below scale as one: the line's height and font grow
// by the table's scale and its text starts at the table's left edge, not in the window's corner.
TEST_F(ScaledTable, TheAdvisorsLineGrowsWithTheTable)
{
    auto *entry = table->findChild<QAction *>(QStringLiteral("mnuodds"));
    ASSERT_FALSE(entry->isChecked());
    entry->trigger();
    QApplication::processEvents();
    QWidget *bar = control("sbrodds");
    auto *line = control<QLabel>("lblodds");
    const int barHeight = bar->height();
    const double pointSize = line->font().pointSizeF();
    ASSERT_GT(barHeight, 0);

    const struct
    {
        const char *name;
        QSize room; // below the menu bar
    } rows[] = {
        { "twice the size", QSize(kDesign.width(), kDesign.height() + barHeight) * 2 },
        { "maximised on a wide screen", QSize(1366, 700) },
        { "taller than wide", QSize(900, 1000) },
        { "back at the design size", QSize(kDesign.width(), kDesign.height() + barHeight) },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        table->resize(row.room + QSize(0, menuHeight));
        QApplication::processEvents();
        const double s = std::min(double(row.room.width()) / kDesign.width(),
                                  double(row.room.height()) / (kDesign.height() + barHeight));
        EXPECT_NEAR(client->scale(), s, 0.01);
        EXPECT_NEAR(line->font().pointSizeF(), pointSize * s, 0.01);
        EXPECT_NEAR(bar->height(), barHeight * s, 1);
        EXPECT_NEAR(bar->contentsMargins().left(), client->offset().x(), 1);
        EXPECT_EQ(bar->geometry().top(), client->geometry().bottom() + 1);
    }
    entry->trigger();
}

// The cards slide, at any size, to the same places as the layout puts them.
TEST_F(ScaledTable, CardsDealtAtAScaleLieWhereTheLayoutPutsThem)
{
    const auto [s, offset] = resizeClient(QSize(900, 482));
    bet("Opt1000", "KS QS 8S | AS 2H 9D | KD QD 3D | KC QC 2C");
    toolkit.onBox([&](const ScriptedToolkit::Box &) {
        for (int k = 1; k <= 12; ++k) {
            const SlotPlace place = *slotPlace(k);
            auto *card = control(QStringLiteral("Imgpl%1").arg(k).toLatin1());
            EXPECT_FALSE(card->isHidden());
            expectScaled(card->geometry(), twips::rect(place.end.left, place.end.top, 1065, 1440),
                         s, offset, card->objectName());
        }
    });
    toolkit.expect(ScriptedToolkit::Answer::Ok);
    control<QPushButton>("Cmdreq")->click();
    EXPECT_EQ(toolkit.boxes().size(), 1u);
}

TEST_F(ScaledTable, EmptyLabelsPaintNothing)
{
    for (QWidget *widget : stack(client)) {
        auto *label = qobject_cast<QLabel *>(widget);
        if (label && !isCard(label) && label->text().isEmpty() && label->pixmap().isNull()) {
            EXPECT_TRUE(paintedRect(label).isNull()) << label->objectName().toStdString();
        }
    }
    EXPECT_TRUE(control<QLabel>("lblresult2")->text().isEmpty());
}

// A round where every seat takes a third card, after a win that brought out the save controls:
// at the user's turn and at the reveal no control paints over or under a card at rest, nor over
// another control; while
// the third cards slide, each is above every control it crosses but the pack. At 1x and at 1.37x.
TEST_F(ScaledTable, NoCardIsEverCoveredByAControl)
{
    for (const QSize size : { kDesign, QSize(900, 482) }) {
        SCOPED_TRACE(size.width());
        resizeClient(size);
        bet("Opt1000", "KS QS 8S | 4S 5H 2C | 5D 2D 3D | 6S 2H 4C");
        toolkit.expect(ScriptedToolkit::Answer::Ok);
        control<QPushButton>("cmdnoreq")->click(); // a win: the save controls come out
        ASSERT_FALSE(control("txtname")->isHidden());
        ASSERT_FALSE(control("Lblname")->isHidden());

        bet("Opt1000", "KS QS 8S | AS 2H 9D | KD QD 3D | KC QC 2C");
        EXPECT_EQ(cardsCovered(client), std::vector<std::string>()) << "at the user's turn";
        EXPECT_EQ(controlsOverlapping(client), std::vector<std::string>()) << "no text covered";

        // Each frame: a card away from both the pack and its place is on its way, and every
        // control it crosses but the pack (which hides it until it comes out from under it)
        // must lie below it in the stack.
        int framesSeen = 0;
        std::vector<std::string> underneath;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!CardSlider::isSliding())
                return;
            const auto widgets = stack(client);
            for (size_t i = 0; i < widgets.size(); ++i) {
                QWidget *card = widgets[i];
                if (!isCard(card) || card->isHidden())
                    continue;
                const int k = card->objectName().mid(5).toInt();
                const SlotPlace place = *slotPlace(k);
                const QPoint pack = client->toPixels(QPoint(kPackPosition.left, kPackPosition.top));
                if (card->pos() == pack
                    || card->pos() == client->toPixels(QPoint(place.end.left, place.end.top)))
                    continue;
                ++framesSeen;
                for (size_t j = i + 1; j < widgets.size(); ++j)
                    if (!widgets[j]->isHidden() && widgets[j] != control("Image1")
                        && widgets[j]->geometry().intersects(card->geometry()))
                        underneath.push_back(card->objectName().toStdString() + " under "
                                             + widgets[j]->objectName().toStdString());
            }
        });
        toolkit.onBox([&](const ScriptedToolkit::Box &) {
            EXPECT_EQ(cardsCovered(client), std::vector<std::string>()) << "at the reveal";
            EXPECT_TRUE(control("Lblname")->isHidden()) << "ชื่อคุณ gives way to slot 11";
        });
        watch.start(5);
        CardSlider::setInstant(false);
        toolkit.expect(ScriptedToolkit::Answer::Ok);
        control<QPushButton>("Cmdreq")->click(); // the user's, the last seat's, the dealer's
        CardSlider::setInstant(true);
        toolkit.onBox({});
        watch.stop();
        EXPECT_GT(framesSeen, 10);
        EXPECT_EQ(underneath, std::vector<std::string>());
        EXPECT_FALSE(control("Lblname")->isHidden()) << "ชื่อคุณ is back once the cards are";
    }
}

// "ครึ่งของหน้าตัก" and every other bet option show whole inside the client area.
TEST_F(ScaledTable, BetOptionsFitInsideTheWindowAtEveryScale)
{
    for (const QSize size : { kDesign, QSize(900, 482), kDesign * 2, QSize(1260, 1056) }) {
        SCOPED_TRACE(size.width());
        resizeClient(size);
        for (const char *name : { "Opt1000", "Opt5000", "Opt10000", "Opt500", "Optall" }) {
            auto *option = control<QRadioButton>(name);
            EXPECT_TRUE(client->rect().contains(option->geometry())) << name;
            QStyleOptionButton look;
            look.initFrom(option);
            look.text = option->text();
            const QRect text
                = option->style()->subElementRect(QStyle::SE_RadioButtonContents, &look, option);
            EXPECT_LE(text.left() + option->fontMetrics().horizontalAdvance(option->text()),
                      option->width())
                << name << " is cut";
        }
    }
}

// F11 makes the window full screen, the table scaled to the screen, and F11 again brings the
// window back as it was. The key reaches the window from the control that has the focus.
TEST_F(ScaledTable, F11TogglesFullScreenAndBack)
{
    const QRect normal = table->geometry();
    auto *option = control<QRadioButton>("Opt1000");
    QTest::keyClick(option, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_TRUE(table->isFullScreen());
    EXPECT_EQ(table->frameGeometry(), table->screen()->geometry());
    EXPECT_GT(client->scale(), 1.5);
    QTest::keyClick(option, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_FALSE(table->isFullScreen());
    EXPECT_EQ(table->geometry(), normal);
    EXPECT_EQ(client->scale(), 1);
}

// The games still being made scale their notice the same way.
TEST(PlaceholderGames, NoticeScalesWithTheWindow)
{
    QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng")).clear();
    Frm9ga nineGa;
    nineGa.show();
    QApplication::processEvents();
    auto *client = nineGa.findChild<DesignCanvas *>(QStringLiteral("client"));
    auto *notice = nineGa.findChild<FittedLabel *>(QStringLiteral("Label1"));
    const QRect designed = notice->geometry();
    const int menuHeight = nineGa.height() - client->height();
    nineGa.resize(client->size() * 2 + QSize(0, menuHeight));
    QApplication::processEvents();
    EXPECT_EQ(client->scale(), 2);
    expectScaled(notice->geometry(), designed, 2, QPointF(), QStringLiteral("Label1"));
    EXPECT_EQ(notice->scale(), 2);
    EXPECT_GT(notice->font().pointSizeF(), notice->designFont().pointSizeF() * 1.7);
    nineGa.hide();
    QSettings(QStringLiteral("pokdeng"), QStringLiteral("pokdeng")).clear();
}

} // namespace
