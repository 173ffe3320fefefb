// The work of one frame of a card turning over (พลิกไพ่), in the real table window: the card's
// picture is narrowed to the width the flip has reached and the window repaints what changed.
// The user's two cards are turned over frame by frame at the flip's own pace, round after
// round, and each frame is timed from the change of width to the end of its repaint; at the
// design size (1x) and with the table at 2x and 3x. Two figures, as for a slide: the frame as the
// game makes it (an event loop's turn after the change) and a repaint of the whole window.
#include "support/Figures.h"
#include "support/FrameTimes.h"
#include "support/GoingOnToolkit.h"
#include "support/OffscreenApplication.h"
#include "support/ScaledTable.h"
#include "support/TableRound.h"
#include "toolkit/CardFlip.h"
#include "toolkit/CardPicture.h"
#include "toolkit/CardSlider.h"
#include "toolkit/Speeds.h"
#include "windows/Frmpok.h"

#include <QElapsedTimer>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

using namespace cards;

namespace {

const int kRounds = bench::rounds(12, 1);

void flipTimed(CardPicture *card, FrameTimes &times, const std::function<void()> &paint)
{
    PaintCounter counter;
    card->installEventFilter(&counter);
    QElapsedTimer clock;
    for (int ms = 0; ms <= CardFlip::kMilliseconds; ms += speeds::kSlideFrameMilliseconds) {
        const int paintsBefore = counter.paints;
        const double cpuStart = threadCpuMicroseconds();
        clock.start();
        card->setSqueeze(CardFlip::widthAt(ms));
        paint();
        times.wall.push_back(clock.nsecsElapsed() / 1000.0);
        times.cpu.push_back(threadCpuMicroseconds() - cpuStart);
        if (counter.paints == paintsBefore && ms > 0)
            ++times.framesWithoutPaint;
    }
    card->setSqueeze(1);
    card->removeEventFilter(&counter);
}

} // namespace

int main(int argc, char *argv[])
{
    OffscreenApplication app(argc, argv);
    GoingOnToolkit toolkit;
    CardSlider::setInstant(true);
    SeededRandom random(2026);
    std::unique_ptr<Frmpok> table;
    QSize designSize;
    // A table is shown at the scale and painted before its first card moves.
    const auto freshTable = [&](int scale) { table = showScaledTable(random, scale, designSize); };

    bench::setTopic("flip_frame/" + QGuiApplication::platformName().toStdString());
    std::printf("A frame of a card turning over in the table window (%s, %d rounds a scale; goal "
                "<= 2 ms at 3x, as for a slide)\n",
                qPrintable(QGuiApplication::platformName()), kRounds);
    for (int scale : { 1, 2, 3 }) {
        freshTable(scale);
        FrameTimes asTheGame, wholeWindow;
        const std::function<void()> eventLoopTurn = [] { QCoreApplication::processEvents(); };
        const std::function<void()> repaintAll = [&] { table->repaint(); };
        for (int round = 0; round < kRounds; ++round) {
            if (table->isHidden())
                freshTable(scale);
            tableround::bet(table.get());
            settleEvents();
            for (const char *name : { "Imgpl2", "Imgpl6" }) {
                auto *card = table->findChild<CardPicture *>(QString::fromLatin1(name));
                flipTimed(card, asTheGame, eventLoopTurn);
                flipTimed(card, wholeWindow, repaintAll);
            }
            tableround::shownTurn(table.get())->click();
            settleEvents();
        }
        std::printf(" at %dx:\n", scale);
        const std::string at = std::to_string(scale) + "x/";
        asTheGame.report("narrow + event loop turn (the game)", at + "the game");
        wholeWindow.report("narrow + whole window repaint", at + "whole window");
    }
    return 0;
}
