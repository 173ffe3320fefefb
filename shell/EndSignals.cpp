#include "shell/EndSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

// The pipe's ends: the handler writes to [0], the notifier reads [1]. Only the handler and the
// one EndSignals touch them.
int ends[2] = { -1, -1 };

constexpr int kSignals[] = { SIGTERM, SIGINT };

extern "C" void onEndSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Async-signal-safe; a full pipe loses a repeated signal, which changes nothing.
    [[maybe_unused]] const ssize_t written = write(ends[0], &number, 1);
    errno = saved;
}

} // namespace

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{
    if (ends[0] >= 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
    m_notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignal);
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
    delete m_notifier;
    close(ends[0]);
    close(ends[1]);
    ends[0] = ends[1] = -1;
}

void EndSignals::readSignal()
{
    unsigned char number = 0;
    if (read(ends[1], &number, 1) == 1)
        emit received(number);
}
