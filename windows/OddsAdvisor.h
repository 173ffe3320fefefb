#pragma once

#include "rules/Card.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QWidget;

// The odds advisor, "ตัวช่วยคำนวณ": a checkable entry in the table's menu of helpers, remembered
// between runs and off until the user turns it on, and a status line under the table. While it is
// on, at the user's turn the line shows each choice on offer with its chances of winning, tying and
// losing and the baht it is expected to bring, one decimal each, and marks the better choice;
// the turn buttons' tooltips say the same of their own choice, above their key. When the turn ends
// it all clears. Screen readers speak the line whenever it changes. Off, the line is hidden and the
// buttons' tooltips name only their keys, so the table is as designed.
class OddsAdvisor final : public QObject
{
    Q_OBJECT
public:
    // Adds the entry to menu; draw and stand are the turn buttons. window, the table, owns the
    // advisor and places statusBar() under its client area.
    OddsAdvisor(QMenu *menu, QPushButton *draw, QPushButton *stand, QWidget *window);

    QStatusBar *statusBar() const { return m_bar; }

    // What a choice wins or loses a round on average, to one decimal, in words: "เฉลี่ยได้ 149.7
    // บาท ต่อตา", "เฉลี่ยเสีย 312.2 บาท ต่อตา", or "เฉลี่ยเสมอตัว" for what rounds to nothing.
    static QString averageText(double money);
    bool isOn() const;

    // The user's turn has begun with these two cards for this stake; standCaption is what the
    // stand button reads now ("ไม่จั่ว" or "หงายไพ่").
    void startTurn(const cards::Card &first, const cards::Card &second, double stake,
                   const QString &standCaption);
    // The user has drawn or stood.
    void endTurn();

private:
    struct Turn
    {
        cards::Card first, second;
        double stake;
        QString standCaption;
    };

    void setOn(bool on);
    void updateAdvice();

    QAction *m_entry;
    QStatusBar *m_bar;
    QLabel *m_line;
    QPushButton *m_draw;
    QPushButton *m_stand;
    std::optional<Turn> m_turn;
};
