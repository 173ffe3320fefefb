// The rules page as a reader meets it: example hands named in words beside their pictures and
// drawn big enough to tell K, Q and J apart, the keys, and how a table ends.
#include "windows/Frmrules.h"

#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace {

QString plainPage(const Frmrules &rules)
{
    return rules.findChild<QTextBrowser *>()->toPlainText();
}

QString htmlPage(const Frmrules &rules)
{
    return rules.findChild<QTextBrowser *>()->toHtml();
}

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
