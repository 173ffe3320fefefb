#pragma once

// A round of the table window played the way a test or a benchmark chooses: the cards dealt from
// a script, a bet option picked, the turn ended with a chosen button. The controls are found by
// their object names, as a player finds them by their place.
#include "support/CardFixtures.h"
#include "support/ScriptedRandom.h"

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include <initializer_list>
#include <string>

namespace tableround {

// The turn buttons in the order most tests prefer them: stand ("ไม่จั่ว" or "หงายไพ่"), else draw.
inline constexpr std::initializer_list<const char *> kStandFirst = { "cmdnoreq", "Cmdreq" };
inline constexpr std::initializer_list<const char *> kDrawFirst = { "Cmdreq", "cmdnoreq" };

// The first of the turn buttons named that the table shows, or nullptr when it shows none.
inline QPushButton *shownTurn(QWidget *table,
                              std::initializer_list<const char *> preferred = kStandFirst)
{
    for (const char *name : preferred) {
        auto *button = table->findChild<QPushButton *>(QString::fromLatin1(name));
        if (button && !button->isHidden())
            return button;
    }
    return nullptr;
}

// Picks the bet option of that object name: the round is dealt.
inline void bet(QWidget *table, const char *option = "Opt1000")
{
    table->findChild<QRadioButton *>(QString::fromLatin1(option))->click();
}

// Deals the cards (by seat: first seat | user | last seat | dealer) from random, then picks the
// bet option.
inline void bet(QWidget *table, ScriptedRandom &random, const std::string &bySeat,
                const char *option = "Opt1000")
{
    random.deal(tableBySeat(bySeat));
    bet(table, option);
}

// Plays the round through: the bet option, then the first of the turn buttons preferred that
// is shown. Whatever boxes the round ends with are the toolkit's to answer.
inline void playThrough(QWidget *table, const char *option = "Opt1000",
                        std::initializer_list<const char *> preferred = kStandFirst)
{
    bet(table, option);
    shownTurn(table, preferred)->click();
}

} // namespace tableround
