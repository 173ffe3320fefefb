#pragma once

#include <QDialog>

// "ABOUT": what the game is made with, who made it and where to write, in a framed text, with
// a button that closes it.
class Frmabout final : public QDialog
{
    Q_OBJECT
public:
    explicit Frmabout(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
