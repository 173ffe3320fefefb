// Draws every window of the game into PNG files, for looking at what a change did to the
// screen: ./pokdeng_screenshots [folder]. Runs offscreen, whose pictures are the same as a real
// window's.
#include "shell/Form1.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "toolkit/CardLibrary.h"
#include "toolkit/CardSlider.h"
#include "toolkit/ScoreStore.h"
#include "windows/Frmabout.h"
#include "windows/Frmpoint.h"
#include "windows/Frmpok.h"
#include "windows/PlaceholderGame.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace {

// Deals the given cards, slot by slot, then flips the seats' coins from a seeded source.
class DealingRandom final : public pokdeng::RandomSource
{
public:
    explicit DealingRandom(const pokdeng::SlotCards &cards)
    {
        for (int slot = pokdeng::kSlotCount; slot >= 1; --slot) {
            m_numbers.push_back((cards[slot].rank - 0.5) / 13);
            m_numbers.push_back((cards[slot].suit - 0.5) / 4);
        }
    }
    double next() override
    {
        if (m_numbers.empty())
            return m_coins.next();
        const double r = m_numbers.back();
        m_numbers.pop_back();
        return r;
    }

private:
    std::vector<double> m_numbers;
    pokdeng::SeededRandom m_coins { 1 };
};

pokdeng::SlotCards slotCards(const char *const (&bySlot)[pokdeng::kSlotCount])
{
    pokdeng::SlotCards cards;
    const QString suits = QStringLiteral("SHDC");
    for (int slot = 1; slot <= pokdeng::kSlotCount; ++slot) {
        const QString text = QString::fromLatin1(bySlot[slot - 1]);
        const QString rank = text.chopped(1);
        const int r = rank == QLatin1String("A") ? 1
            : rank == QLatin1String("J")         ? 11
            : rank == QLatin1String("Q")         ? 12
            : rank == QLatin1String("K")         ? 13
                                                 : rank.toInt();
        cards.set(slot,
                  { static_cast<std::uint8_t>(suits.indexOf(text.back()) + 1),
                    static_cast<std::int16_t>(r) });
    }
    return cards;
}

void save(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    QApplication::processEvents();
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char *argv[])
{
    const QString folder
        = QDir().absoluteFilePath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    OffscreenApplication app(argc, argv);
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    CardSlider::setInstant(true);
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

    Form1 start;
    save(start, folder, QStringLiteral("start"));

    pokdeng::SeededRandom random(20261210);
    Frmpok table(nullptr, &random);
    save(table, folder, QStringLiteral("table-waiting"));
    table.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
    save(table, folder, QStringLiteral("table-round"));

    // The focus ring, around a bet option and around a turn button.
    Frmpok focused(nullptr, &random);
    focused.show();
    QApplication::setActiveWindow(&focused);
    auto *thousand = focused.findChild<QRadioButton *>(QStringLiteral("Opt1000"));
    thousand->setFocus(Qt::TabFocusReason);
    save(focused, folder, QStringLiteral("table-focus-bet"));
    thousand->click();
    for (const char *turn : { "Cmdreq", "cmdnoreq" }) {
        auto *button = focused.findChild<QPushButton *>(QString::fromLatin1(turn));
        if (!button->isHidden()) {
            button->setFocus(Qt::TabFocusReason);
            break;
        }
    }
    save(focused, folder, QStringLiteral("table-focus-turn"));

    // A finished round whose money beats an empty record offers to save it.
    QFile::remove(QStringLiteral("point.pon"));
    std::optional<GoingOnToolkit> goingOn(std::in_place);
    Frmpok saving(nullptr, &random);
    saving.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
    for (const char *turn : { "cmdnoreq", "Cmdreq" }) {
        auto *button = saving.findChild<QPushButton *>(QString::fromLatin1(turn));
        if (button->isVisible() || !button->isHidden()) {
            button->click();
            break;
        }
    }
    saving.findChild<QLineEdit *>(QStringLiteral("txtname"))->setText(QStringLiteral("สมหญิง"));
    save(saving, folder, QStringLiteral("table-save"));
    goingOn.reset();
    writeScoreFile(QStringLiteral("สมชาย ใจดี"), 25000.5);

    // The odds advisor at the user's turn: the user holds 3 of spades and ace of hearts (4 points,
    // two suits) for a stake of 1,000.
    DealingRandom known(
        slotCards({ "KS", "3S", "5D", "6S", "QS", "AH", "2D", "2H", "8S", "9D", "3D", "4C" }));
    Frmpok advised(nullptr, &known);
    advised.findChild<QAction *>(QStringLiteral("mnuodds"))->setChecked(true);
    advised.findChild<QRadioButton *>(QStringLiteral("Opt1000"))->click();
    save(advised, folder, QStringLiteral("table-odds"));

    Frmpoint record;
    save(record, folder, QStringLiteral("record"));
    Frm9ga nineGa;
    save(nineGa, folder, QStringLiteral("9ga"));
    Frmdum dummy;
    save(dummy, folder, QStringLiteral("dummy"));
    Frmabout about;
    save(about, folder, QStringLiteral("about"));
    return 0;
}
