// What leaving a shared table from its window asks, for the host and for a person who joined,
// and what the answer does.
#include "shell/TableLeaving.h"
#include "support/ScriptedToolkit.h"
#include "windows/Frmpok.h"

#include <QAction>

#include <gtest/gtest.h>

namespace {

using Answer = Toolkit::Answer;
using Role = TableLeaving::Role;

struct Row
{
    const char *name;
    Role role;
    const char *entry; // the window's entry that goes
    QString title;
    QString prompt;
};

// A window of its own stands in for the table's: the departure check is the window's, whichever
// table it shows.
TEST(TableLeaving, EachWayOutAsksWhatItWillDoAndOnlyYesLeaves)
{
    const QString seatNotKept = QStringLiteral("\nที่นั่งและเงินของคุณที่โต๊ะนี้จะไม่ถูกเก็บไว้");
    const QString closesForAll = QStringLiteral("\nโต๊ะจะปิดสำหรับเพื่อนทุกคนที่นั่งอยู่");
    const Row rows[] = {
        { "joined, เริ่มใหม่", Role::Joined, "mnustart", QStringLiteral("ออกจากโต๊ะ"),
          QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนแล้วเริ่มเกมใหม่คนเดียวหรือไม่") + seatNotKept },
        { "joined, ปิดหน้าต่าง", Role::Joined, "closeWindow", QStringLiteral("ออกจากโต๊ะ"),
          QStringLiteral("ต้องการออกจากโต๊ะของเพื่อนหรือไม่") + seatNotKept },
        { "hosting, เริ่มใหม่", Role::Hosting, "mnustart", QStringLiteral("ปิดโต๊ะ"),
          QStringLiteral("ต้องการปิดโต๊ะของคุณแล้วเริ่มเกมใหม่คนเดียวหรือไม่") + closesForAll },
        { "hosting, ปิดหน้าต่าง", Role::Hosting, "closeWindow", QStringLiteral("ปิดโต๊ะ"),
          QStringLiteral("ต้องการปิดโต๊ะของคุณหรือไม่") + closesForAll },
        { "hosting, another game", Role::Hosting, "mnu9ga", QStringLiteral("ปิดโต๊ะ"),
          QStringLiteral("ต้องการปิดโต๊ะของคุณหรือไม่") + closesForAll },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedToolkit toolkit;
        toolkit.expect(Answer::No);
        toolkit.expect(Answer::Yes);
        int leaves = 0;
        TableLeaving leaving(row.role, [&] { ++leaves; });
        Frmpok window;
        leaving.watch(window);
        window.show();
        QAction *entry = window.findChild<QAction *>(QString::fromLatin1(row.entry));
        ASSERT_NE(entry, nullptr);

        entry->trigger();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(leaves, 0);
        EXPECT_FALSE(leaving.hasLeft());
        entry->trigger();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(leaves, 1);
        EXPECT_TRUE(leaving.hasLeft());

        ASSERT_EQ(toolkit.boxes().size(), 2u);
        for (const ScriptedToolkit::Box &box : toolkit.boxes()) {
            EXPECT_EQ(box.title, row.title);
            EXPECT_EQ(box.prompt, row.prompt);
            EXPECT_EQ(box.style, Toolkit::Style::QuestionYesNoDefaultNo);
        }
    }
}

// Once the table is gone there is nothing to leave: the window goes at once, and nothing is
// said afterwards.
TEST(TableLeaving, AnEndedTableLetsTheWindowGoWithoutAQuestion)
{
    ScriptedToolkit toolkit;
    int leaves = 0;
    TableLeaving leaving(Role::Joined, [&] { ++leaves; });
    Frmpok window;
    leaving.watch(window);
    window.show();
    leaving.ended();
    window.findChild<QAction *>(QStringLiteral("mnustart"))->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.nextWindow(), GameKind::PokDeng);
    leaving.sayWhatWasDone(nullptr, window.nextWindow());
    EXPECT_TRUE(toolkit.boxes().empty());
    EXPECT_EQ(leaves, 0);
}

} // namespace
