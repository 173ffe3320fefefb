// Loaded with LD_PRELOAD into a Qt Widgets program by the start-up race. When the first top-level
// window has been painted it writes one line to standard output and ends the process at once:
//   first-paint-ns <ns since BENCH_START_NS> peak-rss-kib <VmHWM>
// BENCH_START_NS is the CLOCK_MONOTONIC time, in nanoseconds, at which the runner spawned the
// process. The program itself is not changed: it has no hook of its own for this.
#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

long peakResidentKib()
{
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, "VmHWM:", 6) == 0)
            kib = std::strtol(line + 6, nullptr, 10);
    std::fclose(status);
    return kib;
}

class FirstPaintProbe final : public QObject
{
public:
    explicit FirstPaintProbe(long long start)
        : m_start(start)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window's own paint event comes first in its frame; the report is queued behind the
        // rest of that frame (the children and the flush to the screen).
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow()) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstPaintProbe::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report()
    {
        const long long elapsed = monotonicNs() - m_start;
        std::printf("first-paint-ns %lld peak-rss-kib %ld\n", elapsed, peakResidentKib());
        std::fflush(stdout);
        _exit(0);
    }

    long long m_start;
    bool m_seen = false;
};

void installProbe()
{
    const char *start = std::getenv("BENCH_START_NS");
    if (!start)
        return;
    qApp->installEventFilter(new FirstPaintProbe(std::atoll(start)));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
