// The rules page as a reader meets it: example hands named in words beside their pictures and
// drawn big enough to tell K, Q and J apart, the keys, and how a table ends; and as a window
// beside the table.
#include "support/ScriptedToolkit.h"
#include "windows/Frmrules.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QString plainPage(const Frmrules &rules)
{
    return rules.findChild<QTextBrowser *>()->toPlainText();
}

QString htmlPage(const Frmrules &rules)
{
    return rules.findChild<QTextBrowser *>()->toHtml();
}

// The rules window beside a table, with every box the toolkit would show scripted.
class RulesWindow : public ::testing::Test
{
protected:
    ScriptedToolkit toolkit;
};

} // namespace

TEST(RulesPage, ExampleHandsAreNamedInWordsAndDrawnLarge)
{
    const Frmrules rules;
    const QString page = plainPage(rules);
    // Every example's picture is followed by its cards' names, then its label.
    const QRegularExpression example(QStringLiteral("\\x{fffc}\\s*([^\\n]+)\\n"));
    int examples = 0;
    for (auto match = example.globalMatch(page); match.hasNext(); ++examples) {
        const QString names = match.next().captured(1);
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("^(?:(?:A|[2-9]|10|J|Q|K) "
                                              "(?:โพดำ|โพแดง|ข้าวหลามตัด|ดอกจิก)(?:, |$)){2,3}"))
                .match(names)
                .hasMatch())
            << names.toStdString();
    }
    EXPECT_EQ(examples, 17);
    for (const char *hand : { "K โพดำ, K โพแดง, Q ข้าวหลามตัด", "Q โพดำ, Q ดอกจิก, J โพแดง",
                              "J ข้าวหลามตัด, J ดอกจิก, K โพดำ" })
        EXPECT_TRUE(page.contains(QString::fromUtf8(hand))) << hand;

    const QRegularExpression picture(QStringLiteral("<img [^>]*height=\"(\\d+)\""));
    int pictures = 0;
    for (auto match = picture.globalMatch(htmlPage(rules)); match.hasNext(); ++pictures)
        EXPECT_GE(match.next().captured(1).toInt(), 96);
    EXPECT_EQ(pictures, examples);
}

TEST(RulesPage, ListsTheKeysAndHowATableEnds)
{
    const Frmrules rules;
    const QString page = plainPage(rules);
    const struct
    {
        const char *key;
        const char *does;
    } keys[] = {
        { "1", "ลงเงิน 1,000 บาท" }, { "D", "จั่วไพ่" },          { "S", "ไม่จั่ว หรือหงายไพ่" },
        { "Ctrl+S", "เก็บสถิติ" },     { "F2", "เริ่มใหม่" },       { "F1", "วิธีเล่น" },
        { "Ctrl+K", "ตัวช่วยคำนวณ" }, { "Ctrl+T", "สีตัดกันชัด" },  { "F11", "เต็มจอ" },
        { "F10", "ไปที่แถบเมนู" },     { "Ctrl+W", "ปิดหน้าต่าง" }, { "Ctrl+Q", "ปิดโปรแกรม" },
        { "Ctrl+=", "ขยายหน้าต่าง" }, { "Ctrl+-", "ย่อหน้าต่าง" }, { "Ctrl+0", "หน้าต่างขนาดเดิม" },
    };
    const qsizetype list = page.indexOf(QStringLiteral("ปุ่มลัด"));
    ASSERT_GE(list, 0);
    for (const auto &one : keys)
        EXPECT_TRUE(
            page.indexOf(QRegularExpression(
                             QStringLiteral("\\n%1\\s+%2")
                                 .arg(QRegularExpression::escape(QString::fromUtf8(one.key)),
                                      QRegularExpression::escape(QString::fromUtf8(one.does)))),
                         list)
            > list)
            << one.key;

    // "ไม่ใช่" ends the program, not only the game; saving the record has a heading of its own.
    EXPECT_TRUE(page.contains(QStringLiteral("ตอบ \"ไม่ใช่\" ปิดโปรแกรม")));
    const qsizetype broke = page.indexOf(QStringLiteral("\nหมดตัว\n"));
    const qsizetype record = page.indexOf(QStringLiteral("\nเก็บสถิติ\n"));
    ASSERT_GE(broke, 0);
    EXPECT_GT(record, broke);
    EXPECT_GT(page.indexOf(QStringLiteral("ใส่ชื่อแล้วกด")), record);
    // The advisor's figures in the words its line uses.
    EXPECT_TRUE(page.contains(QStringLiteral("เฉลี่ยเสีย 312.2 บาท ต่อตา")));
}

TEST_F(RulesWindow, TheRulesPageStaysBesideTheTableWithItsExamplesInOrder)
{
    QDialog table;
    table.show();
    Frmrules *rules = Frmrules::showBeside(&table);
    ASSERT_NE(rules, nullptr);
    EXPECT_EQ(Frmrules::showBeside(&table), rules) << "one window, brought forward again";
    EXPECT_EQ(rules->windowTitle(), QStringLiteral("วิธีเล่น"));
    EXPECT_FALSE(rules->isModal());
    EXPECT_TRUE(rules->isVisible());
    EXPECT_EQ(rules->parentWidget(), &table);
    EXPECT_TRUE(rules->isWindow());

    const QString page = rules->findChild<QTextBrowser *>()->toPlainText();
    EXPECT_FALSE(page.contains(QStringLiteral("{hand:")));
    // The pictured hands of the order of hands, with the labels and payouts the rulebook gives
    // them, come highest first.
    const QStringList order = {
        QStringLiteral("ป๊อก 9 ชนะได้ 1 เท่า"),    QStringLiteral("ป๊อก 8 ชนะได้ 1 เท่า"),
        QStringLiteral("ตอง 6 ชนะได้ 5 เท่า"),    QStringLiteral("เซียน K ชนะได้ 3 เท่า"),
        QStringLiteral("เซียน Q ชนะได้ 3 เท่า"),   QStringLiteral("เซียน J ชนะได้ 3 เท่า"),
        QStringLiteral("สามเหลือง ชนะได้ 3 เท่า"), QStringLiteral("9 หลัง ชนะได้ 1 เท่า"),
        QStringLiteral("8 หลัง ชนะได้ 1 เท่า"),    QStringLiteral("7แต้ม ชนะได้ 1 เท่า"),
        QStringLiteral("บอดสนิท ไม่ชนะใคร"),
    };
    qsizetype at = page.indexOf(QStringLiteral("ลำดับไพ่"));
    ASSERT_GE(at, 0);
    for (const QString &example : order) {
        const qsizetype next = page.indexOf(example, at);
        EXPECT_GT(next, at) << example.toStdString();
        at = std::max(at, next);
    }
    for (const QString &deng :
         { QStringLiteral("ป๊อก 9สองเด้ง ชนะได้ 2 เท่า"), QStringLiteral("6แต้มสามเด้ง ชนะได้ 3 เท่า") })
        EXPECT_TRUE(page.contains(deng)) << deng.toStdString();

    rules->close();
    QApplication::processEvents();
}

// Wherever the table is, the rules page opens beside it where the screen has room, and wholly on
// the table's screen where it has not.
TEST_F(RulesWindow, TheRulesPageOpensWhollyOnTheTablesScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct
    {
        const char *name;
        QRect table;
    } rows[] = {
        { "small table on the left", QRect(screen.topLeft(), QSize(120, 200)) },
        { "table against the right edge", QRect(screen.right() - 119, screen.top(), 120, 200) },
        { "maximised table", screen },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QDialog table;
        table.setGeometry(row.table);
        table.show();
        Frmrules *rules = Frmrules::showBeside(&table);
        const QRect placed = rules->frameGeometry();
        EXPECT_TRUE(screen.contains(placed))
            << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
        const QRect tableFrame = table.frameGeometry();
        if (placed.width() + 8 <= screen.right() - tableFrame.right()) {
            EXPECT_EQ(placed.left(), tableFrame.right() + 1 + 8) << "beside the table";
        }
        rules->close();
        QApplication::processEvents();
    }
}

// A click that comes from the window system, as a real one does, and so meets the blocking of
// windows by a modal one (a click sent to the widget itself would not).
void clickAsTheScreenWould(QWidget *widget)
{
    QApplication::processEvents();
    QWindow *window = widget->window()->windowHandle();
    const QPoint at = widget->mapTo(widget->window(), widget->rect().center());
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QApplication::processEvents();
}

// The table runs modally; the rules window, its child, still takes clicks meanwhile, where a window
// of its own would be blocked.
TEST_F(RulesWindow, TheRulesPageTakesClicksWhileTheTableRunsModally)
{
    QDialog table;
    QDialog stranger;
    QPointer<Frmrules> rules;
    bool rulesClosedByClick = false;
    bool strangerClosedByClick = false;
    QTimer::singleShot(0, [&] {
        rules = Frmrules::showBeside(&table);
        clickAsTheScreenWould(rules->findChild<QPushButton *>(QStringLiteral("cmdClose")));
        rulesClosedByClick = !rules || !rules->isVisible();

        auto *button = new QPushButton(QStringLiteral("ปิด"), &stranger);
        QObject::connect(button, &QPushButton::clicked, &stranger, &QDialog::close);
        stranger.show();
        clickAsTheScreenWould(button);
        strangerClosedByClick = !stranger.isVisible();
        table.reject();
    });
    table.exec();
    EXPECT_TRUE(rulesClosedByClick);
    EXPECT_FALSE(strangerClosedByClick) << "the check must see a blocked window";
}
