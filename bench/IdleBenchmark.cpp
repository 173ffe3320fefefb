// While a window waits for the player the process should sleep: no timer, no event, no wake-up.
// Each waiting state is held for five seconds in the event loop, while an application-wide filter
// counts every event delivered (but for the one timer that ends the wait) and /proc counts the
// main thread's context switches. Sleeping through the wait costs exactly one voluntary switch,
// the one that the closing timer wakes; every other one is a wake-up.
#include "shell/Form1.h"
#include "support/Figures.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "support/ProcessStats.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "windows/Frmpok.h"

#include <QEventLoop>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace pokdeng;
using namespace cards;

namespace {

// A moment in a quick run.
const int kWaitMilliseconds = bench::rounds(5000, 50);
// Time for a window to finish showing before its wait is measured.
const int kSettleMilliseconds = bench::rounds(500, 50);

class EventCounter final : public QObject
{
public:
    explicit EventCounter(const QObject *ignored)
        : m_ignored(ignored)
    {
        qApp->installEventFilter(this);
    }
    ~EventCounter() override { qApp->removeEventFilter(this); }

    std::map<int, int> byType;
    int total = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_ignored) {
            ++byType[event->type()];
            ++total;
        }
        return false;
    }

private:
    const QObject *m_ignored;
};

void runEventLoopFor(int milliseconds, QTimer &stop)
{
    QEventLoop loop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, &loop, &QEventLoop::quit);
    stop.start(milliseconds);
    loop.exec();
}

void showAndSettle(QWidget *window)
{
    window->show();
    window->activateWindow();
    while (!window->windowHandle() || !window->windowHandle()->isExposed())
        settleEvents();
    QTimer settle;
    runEventLoopFor(kSettleMilliseconds, settle);
}

void measureWait(const char *state)
{
    QTimer stop;
    const bench::Switches before = bench::switchesOfThisThread();
    const long allBefore = bench::switchesOfAllThreads();
    EventCounter counter(&stop);
    runEventLoopFor(kWaitMilliseconds, stop);
    const bench::Switches after = bench::switchesOfThisThread();
    const long allAfter = bench::switchesOfAllThreads();

    std::printf("  %-44s events %3d, wake-ups %3ld (involuntary switches %ld, all %d threads' "
                "switches %ld)\n",
                state, counter.total, after.voluntary - before.voluntary - 1,
                after.involuntary - before.involuntary, bench::threadCount(), allAfter - allBefore);
    bench::record(std::string(state) + "/events", counter.total, "events");
    bench::record(std::string(state) + "/wake-ups", after.voluntary - before.voluntary - 1,
                  "wake-ups");
    bench::record(std::string(state) + "/switches of all threads", allAfter - allBefore,
                  "switches");
    const QMetaEnum names = QMetaEnum::fromType<QEvent::Type>();
    for (const auto &[type, count] : counter.byType)
        std::printf("      %d x %s\n", count, names.valueToKey(type));
}

template<class T> T *control(QWidget *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    SeededRandom random(7);

    bench::setTopic("idle/" + QGuiApplication::platformName().toStdString());
    std::printf("Waiting for the player, %d ms each (%s; goal: no events, no wake-ups)\n",
                kWaitMilliseconds, qPrintable(QGuiApplication::platformName()));
    {
        Form1 start;
        showAndSettle(&start);
        measureWait("start window, waiting for a game");
    }

    auto table = std::make_unique<Frmpok>(nullptr, &random);
    showAndSettle(table.get());
    measureWait("table, waiting for the first bet");

    tableround::bet(table.get());
    showAndSettle(table.get());
    measureWait("table, waiting for draw or stand");
    const QSize designSize = table->size();
    table->resize(designSize * 3);
    showAndSettle(table.get());
    measureWait("table about 3x the size, waiting for draw or stand");
    table->resize(designSize);
    tableround::shownTurn(table.get())->click();

    // Ahead of the record the name line shows: a text box is where a blinking caret would be.
    while (control<QLineEdit>(table.get(), "txtname")->isHidden()
           || table->phase() != Frmpok::Phase::Betting) {
        if (table->isHidden()) // lost and answered "play again": a fresh table, as the game makes
            table = std::make_unique<Frmpok>(nullptr, &random);
        tableround::playThrough(table.get());
    }
    showAndSettle(table.get());
    measureWait("table, waiting for a bet beside the name box");
    control<QLineEdit>(table.get(), "txtname")->setFocus();
    showAndSettle(table.get());
    measureWait("table, typing a name (caret blinks)");
    return 0;
}
