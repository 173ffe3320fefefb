// The chat of a shared table: what is said shows as plain text, one line each, cut to its length
// however long or strange a connection makes it; a notice from the table has no name; typed lines
// and quick phrases are sent; old lines go.
#include "windows/ChatPanel.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(ChatPanel, LinesArePlainTextOnOneLineAndCut)
{
    ChatPanel chat;
    chat.addLine(QStringLiteral("แดง"), QStringLiteral("<b>หนา</b> <img src=x>"));
    chat.addLine(QStringLiteral("ดำ\nปลอม: ข้อความ"), QStringLiteral("หนึ่ง\nสอง\u2028สาม"));
    chat.addLine(QStringLiteral("ยาว"), QString(1000, QChar(0x0E01)));
    const QStringList lines = chat.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("แดง: <b>หนา</b> <img src=x>"));
    EXPECT_EQ(lines[1], QStringLiteral("ดำ ปลอม: ข้อความ: หนึ่ง สอง สาม"));
    EXPECT_EQ(lines[2], QStringLiteral("ยาว: ") + QString(ChatPanel::kMostLength, QChar(0x0E01)));
}

// What the table tells this person alone (their lines were dropped) shows with no one's name.
TEST(ChatPanel, ANoticeIsAPlainLineOfItsOwn)
{
    ChatPanel chat;
    chat.addLine(QStringLiteral("แดง"), QStringLiteral("สวัสดี"));
    chat.addNotice(QStringLiteral("คุณส่งแชตถี่เกินไป\nข้อความที่เกินจะไม่ถูกส่งต่อ"));
    EXPECT_EQ(chat.lines(),
              QStringList({ QStringLiteral("แดง: สวัสดี"),
                            QStringLiteral("คุณส่งแชตถี่เกินไป ข้อความที่เกินจะไม่ถูกส่งต่อ") }));
}

TEST(ChatPanel, TypedLinesAndQuickPhrasesAreSaid)
{
    ChatPanel chat;
    QSignalSpy said(&chat, &ChatPanel::said);
    QSignalSpy phrases(&chat, &ChatPanel::saidPhrase);
    auto *typed = chat.findChild<QLineEdit *>(QStringLiteral("chatTyped"));
    typed->setText(QStringLiteral("  สวัสดี  "));
    QTest::keyClick(typed, Qt::Key_Return);
    QTest::keyClick(typed, Qt::Key_Return); // nothing typed: nothing said
    chat.findChild<QPushButton *>(QStringLiteral("phrase1"))->click();
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0][0].toString(), QStringLiteral("สวัสดี"));
    ASSERT_EQ(phrases.size(), 1);
    EXPECT_EQ(phrases[0][0].toInt(), 0);
    EXPECT_EQ(chat.findChild<QPushButton *>(QStringLiteral("phrase1"))->text(),
              QStringLiteral("อีกตา"));
    EXPECT_TRUE(typed->text().isEmpty());
    EXPECT_EQ(typed->maxLength(), ChatPanel::kMostLength);
}

TEST(ChatPanel, OldLinesGo)
{
    ChatPanel chat;
    for (int i = 0; i < ChatPanel::kMostLines + 50; ++i)
        chat.addLine(QStringLiteral("ก"), QString::number(i));
    const QStringList lines = chat.lines();
    ASSERT_EQ(lines.size(), ChatPanel::kMostLines);
    EXPECT_EQ(lines.last(), QStringLiteral("ก: %1").arg(ChatPanel::kMostLines + 49));
}
