#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <functional>

// The table's timers run on the event loop: these run it, each bounded in time.

// Runs the event loop for ms milliseconds.
inline void runEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() or 10 s have passed; returns done().
inline bool waitFor(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(10'000);
    while (!done() && !deadline.hasExpired())
        runEvents(10);
    return done();
}
