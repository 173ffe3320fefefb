// What a resize of the table costs, mid-round (the user's turn: nine cards out, the pack, the
// labels and options). Three figures:
//
//   relayout: the client area laid out anew at a size (every control placed and its font
//     scaled, every card picture fetched at its new size), without the paint; over a drag from
//     1x to 3x and back in steps, first with every size new (the card pictures drawn), then the
//     same drag again (the pictures drawn already);
//   paint: the whole window repainted at that size;
//   settle: the window resized from 1x to 3x, or back, until everything is repainted, as a
//     maximise or a return from full screen does (goal <= 50 ms).
#include "support/Figures.h"
#include "support/FrameTimes.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "support/TableRound.h"
#include "toolkit/CardSlider.h"
#include "toolkit/DesignCanvas.h"
#include "windows/Frmpok.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace pokdeng;
using namespace cards;

namespace {

// Fewer in a quick run.
const int kDragSteps = bench::rounds(40, 4);
const int kJumps = bench::rounds(20, 2);

// Prints the times under what, and records them under name.
void report(const char *what, const std::string &name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    std::printf("  %-58s median %7.2f ms, worst %7.2f ms (%zu)\n", what, times[times.size() / 2],
                times.back(), times.size());
    bench::record(name + " median", times[times.size() / 2], "ms");
    bench::record(name + " worst", times.back(), "ms");
}

double millisecondsSince(const QElapsedTimer &clock)
{
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    SeededRandom random(2024);

    Frmpok table(nullptr, &random);
    table.show();
    while (!table.windowHandle() || !table.windowHandle()->isExposed())
        settleEvents();
    settleEvents();
    tableround::bet(&table);
    settleEvents();
    auto *client = table.findChild<DesignCanvas *>(QStringLiteral("client"));
    const QSize design = client->size();
    const int menuHeight = table.height() - design.height();

    std::vector<QSize> drag;
    for (int step = 0; step <= kDragSteps; ++step)
        drag.push_back(design * (1 + 2.0 * step / kDragSteps));
    for (int step = kDragSteps - 1; step >= 0; --step)
        drag.push_back(drag[step]);

    bench::setTopic("resize/" + QGuiApplication::platformName().toStdString());
    std::printf("Resizing the table mid-round (%s)\n", qPrintable(QGuiApplication::platformName()));
    for (const std::string pass : { "every size new", "the same sizes again" }) {
        std::vector<double> relayout, paint;
        for (const QSize &size : drag) {
            QElapsedTimer clock;
            clock.start();
            table.resize(size + QSize(0, menuHeight));
            client->resize(size); // what the window's layout does with it, here at once
            relayout.push_back(millisecondsSince(clock));
            clock.start();
            table.repaint();
            paint.push_back(millisecondsSince(clock));
            settleEvents();
        }
        std::printf(" drag 1x to 3x and back in %d steps, %s:\n", kDragSteps, pass.c_str());
        report("relayout", "drag, " + pass + "/relayout", relayout);
        report("paint of the whole window", "drag, " + pass + "/paint", paint);
    }

    std::vector<double> settle;
    PaintCounter watch;
    client->installEventFilter(&watch);
    for (int jump = 0; jump < 2 * kJumps; ++jump) {
        const QSize size = jump % 2 == 0 ? design * 3 : design;
        const int paintsBefore = watch.paints;
        QElapsedTimer clock;
        clock.start();
        table.resize(size + QSize(0, menuHeight));
        while (client->size() != size || watch.paints == paintsBefore)
            QCoreApplication::processEvents();
        settle.push_back(millisecondsSince(clock));
        settleEvents();
    }
    report("1x to 3x or back, until everything is repainted (goal <= 50 ms)", "settle", settle);
    return 0;
}
