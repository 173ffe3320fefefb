#pragma once

#include "rules/Card.h"
#include "rules/pokdeng/Bets.h"

#include <QColor>

#include <array>
#include <cstddef>

class CardPicture;
class DesignCanvas;
class FittedLabel;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QString;
class QWidget;

// The table window's controls, named as in its design, and setupUi(), which makes them on the
// table's client area in their designed places (in twips, which the canvas scales), fonts,
// colours, stacking and tab order, in the state the window loads in, with their keys and the
// names screen readers give them. The window connects their signals itself.
struct TableControls
{
    void setupUi(DesignCanvas *client);

    // The table's texts on the green (the seat labels, the result labels, the money and its
    // label, the bet options, "ชื่อคุณ") in colours that stand out from it by at least 4.5:1, or
    // in the design's colours again.
    void setHighContrast(bool on);

    QRadioButton *betOption(pokdeng::BetOption option) const
    {
        return bets[static_cast<std::size_t>(option)];
    }

    // What the table shows, each told to screen readers as it changes: the money line (read as
    // one name with its label), a result label (0 the user's, the status line among them; 1 the
    // dealer's; a settled hand's result is read with its owner, "คุณ" or "เจ้ามือ"), and a card
    // slot (1..12) with the card's face or its back.
    void showMoney(const QString &money);
    void showResult(int index, const QString &text, bool settled = false);
    void showCard(int slot, const cards::Card &card, bool face);
    // Tells screen readers the seat's cards (1..4), the first count of hand: "ไพ่เจ้ามือ: K โพดำ,
    // 7 โพแดง".
    void sayHand(int seat, const std::array<cards::Card, 3> &hand, int count);
    // Who sits in the side seat shown at place (pokdeng::kFirstSeat or kLastSeat): a person's
    // name beside the seat's name ("ขา 1 · สมชาย"), or the seat's name alone for the computer.
    void showSeatHolder(int place, const QString &personName);
    // The save controls, when offered. "ชื่อคุณ" stands over the top-right corner of the last
    // seat's third card: it gives way while that card is on the table.
    void showSaveControls(bool offered, bool lastSeatsThirdCardOut);

    std::array<CardPicture *, 12> Imgpl {}; // card slots 1..12 at index 0..11
    CardPicture *Image1 = nullptr; // the pack
    FittedLabel *Lblpl1 = nullptr; // the dealer's seat label
    FittedLabel *Lblpl2 = nullptr; // the first seat's
    FittedLabel *Lblpl3 = nullptr; // the last seat's
    std::array<FittedLabel *, 2> lblresult {}; // the user's and the dealer's hand
    QLabel *Label1 = nullptr;
    QLabel *Lblmoney = nullptr;
    QLabel *Lblname = nullptr;
    QLineEdit *txtname = nullptr;
    QPushButton *Cmdname = nullptr;
    QPushButton *Cmdreq = nullptr;
    QPushButton *cmdnoreq = nullptr;
    std::array<QRadioButton *, pokdeng::kBetOptions.size()> bets {}; // as kBetOptions lists them
    QRadioButton *Option2 = nullptr; // selected whenever no bet is chosen; never seen
    QButtonGroup *betGroup = nullptr;

private:
    QColor m_plainText; // what the table's texts are drawn in by design, but the seat labels'
    // Gives the bets, the turn buttons and the save button their keys.
    void bindKeys();
};
