#include "X11Session.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

// Starts program in a process group of its own with fd 1 (or the given fd) writing into a pipe
// whose reading end is returned; the rest of its output goes nowhere.
pid_t spawn(const std::vector<std::string> &command, int outputFd, int *readEnd)
{
    int ends[2];
    if (pipe(ends) != 0)
        return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawn_file_actions_adddup2(&actions, ends[1], outputFd);
    if (ends[1] != outputFd)
        posix_spawn_file_actions_addclose(&actions, ends[1]);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char *> argv;
    for (const std::string &word : command)
        argv.push_back(const_cast<char *>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), environ) != 0)
        child = 0;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(ends[1]);
    *readEnd = ends[0];
    return child;
}

// The first line the child writes into the pipe, waiting up to ten seconds.
std::string firstLine(int readEnd)
{
    std::string line;
    pollfd ready { readEnd, POLLIN, 0 };
    char c = 0;
    while (poll(&ready, 1, 10000) > 0 && read(readEnd, &c, 1) == 1 && c != '\n')
        line += c;
    close(readEnd);
    return line;
}

void stop(pid_t group)
{
    if (group <= 0)
        return;
    kill(-group, SIGTERM);
    waitpid(group, nullptr, 0);
}

bool onPath(const char *program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

X11Session *current = nullptr;

} // namespace

X11Session *x11Session()
{
    return current;
}

X11Session::X11Session()
{
    current = this;
    startDisplay();
    if (hasDisplay())
        startAccessibilityBus();
}

X11Session::~X11Session()
{
    stop(m_accessibilityBus);
    stop(m_sessionBus);
    stop(m_server);
    if (!m_runtimeFolder.isEmpty())
        QDir(m_runtimeFolder).removeRecursively();
    current = nullptr;
}

void X11Session::startDisplay()
{
    if (!onPath("Xvnc")) {
        m_whyNot = QStringLiteral("Xvnc is not installed (Debian: tigervnc-standalone-server)");
        return;
    }
    // The server picks a free display itself and names it on fd 3 once clients may connect.
    int readEnd = -1;
    m_server = spawn({ "Xvnc", "-displayfd", "3", "-SecurityTypes", "None", "-geometry",
                       "1280x1024", "-depth", "24", "-rfbport", "-1", "-nolisten", "tcp" },
                     3, &readEnd);
    const std::string number = m_server ? firstLine(readEnd) : std::string();
    if (number.empty()) {
        m_whyNot = QStringLiteral("Xvnc did not start");
        stop(m_server);
        m_server = 0;
        return;
    }
    m_display = std::stoi(number);
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
}

void X11Session::startAccessibilityBus()
{
    if (!onPath("dbus-daemon")
        || !QFile::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")))
        return;
    // A runtime folder of its own: the accessibility bus puts its socket there.
    char folder[] = "/tmp/pokdeng-x11-XXXXXX";
    if (!mkdtemp(folder))
        return;
    m_runtimeFolder = QString::fromLocal8Bit(folder);
    setenv("XDG_RUNTIME_DIR", folder, 1);

    int readEnd = -1;
    m_sessionBus
        = spawn({ "dbus-daemon", "--session", "--nofork", "--print-address=1" }, 1, &readEnd);
    const std::string address = m_sessionBus ? firstLine(readEnd) : std::string();
    if (address.empty())
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    m_accessibilityBus
        = spawn({ "/usr/libexec/at-spi-bus-launcher", "--launch-immediately" }, 1, &readEnd);
    close(readEnd);
    // Qt's accessibility then comes on as it does for a screen reader, without one.
    setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
}

bool X11Session::run(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

QString useKeyboardLayout(const char *layout)
{
    if (!x11Session() || !x11Session()->hasDisplay())
        return x11Session() ? x11Session()->whyNot() : QStringLiteral("no X session");
    if (!X11Session::run(QStringLiteral("setxkbmap"),
                         { QStringLiteral("-layout"), QString::fromLatin1(layout) }))
        return QStringLiteral("setxkbmap (x11-xkb-utils) could not switch the layout");
    QTest::qWait(300);
    return QString();
}
