#pragma once

// The times of the frames of a card in motion (a slide, a flip), taken as the benchmarks of a
// frame take them: by the wall clock and by this thread's CPU time, and whether each frame
// painted.
#include <QEvent>
#include <QObject>

#include <string>
#include <vector>

// Counts the paints a widget gets, to prove that every timed frame did paint.
class PaintCounter final : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The CPU time of this thread: the frame's own work, without the time another process had the
// core. On a busy machine the wall-clock worst frame is often someone else's.
double threadCpuMicroseconds();

struct FrameTimes
{
    std::vector<double> wall;
    std::vector<double> cpu;
    int framesWithoutPaint = 0;

    // Prints the frames' times under what, and records them under name.
    void report(const char *what, const std::string &name);
};
