#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The record window: the best money reached and the name of its holder, read from the score
// file each time the window is made. Frameless; the drawn rectangle is its frame. OK closes it.
// Deletes itself when closed; the table opens it with runModal().
class Frmpoint : public QDialog
{
    Q_OBJECT
public:
    explicit Frmpoint(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void Form_Load();
    void Command1_Click();

    QLabel *Label2;
    QLabel *lblpoint;
    QLabel *Label1;
    QLabel *Lblname;
    QPushButton *Command1;

    QString maxname;
    double maxpoint = 0;
};
