#pragma once

#include <QObject>

class OddsAdvisor;
class QMenuBar;
class QWidget;
struct TableControls;

// The table's menu "ตัวช่วย", beside the design's entries: the odds advisor (ตัวช่วยคำนวณ), the
// play history (ประวัติการเล่น), the rules page (วิธีเล่น), and the remembered switches: the
// high-contrast table (สีตัดกันชัด), the four-colour deck (ไพ่สี่สี), cards turned over with a
// flip (พลิกไพ่) and the sounds (เสียง), each with its key. The remembered choices take effect as
// the menu is made; the table places advisor()->statusBar() under its client area and tells the
// advisor of the user's turns.
class HelpersMenu final : public QObject
{
    Q_OBJECT
public:
    HelpersMenu(QMenuBar *menuBar, TableControls &ui, QWidget *table);

    OddsAdvisor *advisor() const { return m_advisor; }

private:
    // The table's texts in colours that stand out from the green, and a wider focus ring; or the
    // design's colours and the usual ring.
    void showHighContrast(bool on);
    // The cards in the four-colour deck, or the design's.
    void showFourColourDeck(bool on);

    TableControls &m_ui;
    QWidget *m_table;
    OddsAdvisor *m_advisor = nullptr;
};
