#pragma once

#include "toolkit/FixedDialog.h"

// "ABOUT": what the game is made with, who made it and where to write, in a framed text, with
// a button that closes it.
class Frmabout final : public FixedDialog
{
    Q_OBJECT
public:
    explicit Frmabout(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
