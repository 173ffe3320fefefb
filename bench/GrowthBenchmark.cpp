// Whether a long evening costs memory: 1,000 rounds at the table and 1,000 switches between the
// games, driven in-process through the real windows, with resident memory and the live widgets
// and top-level windows counted after 10 and after 1,000 of each. Flat is the goal: at most 1 MiB
// more after 1,000 than after 10, and no more windows.
//
// Two caches fill during the first rounds and stop: the card library (52 faces) and Qt's pixmap
// cache, where the style keeps the buttons it has drawn, one set per table window (a fresh table
// after a lost game has new palettes, hence new entries), up to Qt's limit of 10 MiB. So the
// report also gives the live heap, and the live heap once that cache has been emptied: what a
// leak would make grow.
#include "shell/Form1.h"
#include "shell/Navigator.h"
#include "support/Figures.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "support/ProcessStats.h"
#include "toolkit/CardSlider.h"
#include "toolkit/GameWindow.h"
#include "windows/Frmpok.h"

#include <QAction>
#include <QElapsedTimer>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

// Fewer in a quick run.
const int kEarly = bench::rounds(10, 2);
const int kLate = bench::rounds(1000, 10);

struct Snapshot
{
    long residentKib = 0;
    long heapKib = 0;
    long heapWithoutPixmapCacheKib = 0;
    qsizetype widgets = 0;
    qsizetype topLevels = 0;
};

// Empties Qt's pixmap cache for its last figure; the windows draw their buttons into it again.
Snapshot snapshot()
{
    settleEvents();
    Snapshot now;
    now.residentKib = bench::residentKib();
    now.heapKib = bench::heapInUseKib();
    QPixmapCache::clear();
    now.heapWithoutPixmapCacheKib = bench::heapInUseKib();
    now.widgets = QApplication::allWidgets().size();
    now.topLevels = QApplication::topLevelWidgets().size();
    return now;
}

void report(const char *what, const Snapshot &early, const Snapshot &late, double seconds)
{
    std::printf("  %s (%.1f s)\n", what, seconds);
    bench::record(std::string(what) + "/time", seconds, "s");
    std::printf("    %-36s %10s %10s %10s\n", "",
                qPrintable(QStringLiteral("after %1").arg(kEarly)),
                qPrintable(QStringLiteral("after %1").arg(kLate)), "growth");
    // Recorded as the figure after the last round, paired with the one after the first ones.
    const auto row = [what](const char *name, long before, long after, const char *unit) {
        std::printf("    %-36s %10ld %10ld %+10ld %s\n", name, before, after, after - before, unit);
        bench::recordPaired(std::string(what) + '/' + name, static_cast<double>(after),
                            static_cast<double>(before), unit);
    };
    row("resident memory", early.residentKib, late.residentKib, "KiB");
    row("live heap", early.heapKib, late.heapKib, "KiB");
    row("live heap without Qt's pixmap cache", early.heapWithoutPixmapCacheKib,
        late.heapWithoutPixmapCacheKib, "KiB");
    row("live widgets", early.widgets, late.widgets, "");
    row("top-level windows", early.topLevels, late.topLevels, "");
}

template<class T> T *control(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

// One round as a player who picks any offered bet and any offered turn button.
void playRound(Frmpok &table, RandomSource &random)
{
    std::vector<QRadioButton *> offered;
    for (const char *name : { "Opt500", "Opt1000", "Opt5000", "Opt10000", "Optall" })
        if (auto *option = control<QRadioButton>(&table, name); option->isEnabled())
            offered.push_back(option);
    offered[chooseOneOf(random.next(), static_cast<int>(offered.size())) - 1]->click();
    std::vector<QPushButton *> turns;
    for (const char *name : { "Cmdreq", "cmdnoreq" })
        if (auto *button = control<QPushButton>(&table, name); !button->isHidden())
            turns.push_back(button);
    turns[chooseOneOf(random.next(), static_cast<int>(turns.size())) - 1]->click();
}

void measureRounds(QWidget *start)
{
    SeededRandom random(1000);
    auto table = std::make_unique<Frmpok>(start, &random);
    table->show();
    Snapshot early;
    QElapsedTimer clock;
    clock.start();
    int freshTables = 0;
    for (int round = 1; round <= kLate; ++round) {
        playRound(*table, random);
        if (table->isHidden()) { // lost and answered "play again": a fresh table
            table = std::make_unique<Frmpok>(start, &random);
            table->show();
            ++freshTables;
        }
        settleEvents();
        if (round == kEarly)
            early = snapshot();
    }
    const Snapshot late = snapshot();
    std::printf("  %d fresh tables after a lost game\n", freshTables);
    report("rounds", early, late, clock.elapsed() / 1000.0);
}

// Switches games from the menu each time a game window shows: the table to 9 เก to ดัมมี่ and back
// to the table, through the navigator, until the last switch, then closes the game.
class Switcher final : public QObject
{
public:
    Switcher() { qApp->installEventFilter(this); }
    ~Switcher() override { qApp->removeEventFilter(this); }

    Snapshot early, late;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            if (auto *window = qobject_cast<GameWindow *>(watched))
                QTimer::singleShot(0, window, [this, window] { next(window); });
        return false;
    }

private:
    void next(GameWindow *window)
    {
        if (m_switches == kEarly)
            early = snapshot();
        if (m_switches == kLate) {
            late = snapshot();
            window->close();
            return;
        }
        ++m_switches;
        const char *to = window->objectName() == QLatin1String("Frmpok") ? "mnu9ga"
            : window->objectName() == QLatin1String("Frm9ga")            ? "mnudum"
                                                                         : "mnupok";
        window->findChild<QAction *>(QString::fromLatin1(to))->trigger();
    }

    int m_switches = 0;
};

void measureSwitches(QWidget *start)
{
    Switcher switcher;
    QElapsedTimer clock;
    clock.start();
    runGameWindows(GameKind::PokDeng, start);
    report("game switches", switcher.early, switcher.late, clock.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    Form1 start;
    start.show();
    settleEvents();

    bench::setTopic("growth/" + QGuiApplication::platformName().toStdString());
    std::printf("Growth over a long evening (%s; resident memory after the allocator trims; goal: "
                "<= 1 MiB more, no more windows)\n",
                qPrintable(QGuiApplication::platformName()));
    measureRounds(&start);
    measureSwitches(&start);
    return 0;
}
