#pragma once

// What a person does and sees at a table window others share, for the window tests: each step
// waits (at most 10 s) until the table offers it.
#include "rules/CardName.h"
#include "windows/Frmpok.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace sharedtable {

// The card a place shows, as screen readers hear it ("หลังไพ่" for a back).
inline QString shownCard(const Frmpok &window, int place)
{
    return window.findChild<QLabel *>(QStringLiteral("Imgpl%1").arg(place))->accessibleName();
}

inline QString nameOf(const cards::Card &card)
{
    return QString::fromStdString(cards::cardName(card));
}

// Clicks the least bet once the table offers it.
inline void bet(Frmpok &window)
{
    auto *option = window.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return option->isEnabled(); }, 10'000));
    option->click();
}

// At the window's turn, stands when it may, else draws.
inline void playTurn(Frmpok &window)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.phase() == Frmpok::Phase::UserTurn; }, 10'000));
    auto *stand = window.findChild<QPushButton *>(QStringLiteral("cmdnoreq"));
    auto *draw = window.findChild<QPushButton *>(QStringLiteral("Cmdreq"));
    (stand->isVisible() ? stand : draw)->click();
}

} // namespace sharedtable
