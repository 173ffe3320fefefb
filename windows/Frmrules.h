#pragma once

#include "toolkit/FixedDialog.h"

class QTextBrowser;

// "วิธีเล่น": the rules of Pok Deng as this table plays them, in Thai, with example hands drawn
// from the card library; each example's label and payout come from the rulebook itself. A
// window of its own that stays open beside the table while the game goes on.
class Frmrules final : public FixedDialog
{
    Q_OBJECT
public:
    explicit Frmrules(QWidget *parent = nullptr);

    // Shows the rules beside parent: the first call makes the window (a child of parent's
    // window, so a modal table leaves it usable, and it closes with the table), later calls
    // bring the same window forward. Returns it.
    static Frmrules *showBeside(QWidget *parent);

private:
    QTextBrowser *txtRules = nullptr;
};
