#pragma once

// The real program and the scripted player program (NetPlayerProcess) as processes of a test:
// their output kept line by line as it comes, waits bounded in time, and an end the test chooses
// (a signal, or SIGKILL). A child dies with the test that started it.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <functional>
#include <optional>

#include <sys/prctl.h>

namespace nettest {

// Environment changes for a program started with neither a display nor a platform named: the
// host needs no window system.
inline const QStringList kNoDisplay
    = { QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
        QStringLiteral("QT_QPA_PLATFORM") };

class ProgramProcess
{
public:
    ProgramProcess()
    {
        process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                         [this] { take(QProcess::StandardOutput, out, outLines); });
        QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                         [this] { take(QProcess::StandardError, err, errLines); });
    }
    ~ProgramProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Starts program with arguments; environment changes are "NAME=value" to set, "NAME" alone
    // to remove.
    void start(const QString &program, const QStringList &arguments,
               const QStringList &environment = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &change : environment) {
            const qsizetype equals = change.indexOf(QLatin1Char('='));
            if (equals < 0)
                env.remove(change);
            else
                env.insert(change.left(equals), change.mid(equals + 1));
        }
        process.setProcessEnvironment(env);
        process.start(program, arguments);
    }

    bool isRunning() const { return process.state() != QProcess::NotRunning; }
    qint64 pid() const { return process.processId(); }

    // Runs the event loop until done() or timeoutMs have passed; returns done().
    // The loop sleeps between events (processEvents with a time limit would spin), looking at
    // done() every few milliseconds.
    static bool waitUntil(const std::function<bool()> &done, int timeoutMs)
    {
        if (done())
            return true;
        QDeadlineTimer deadline(timeoutMs);
        QEventLoop loop;
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, &loop, [&] {
            if (done() || deadline.hasExpired())
                loop.quit();
        });
        look.start(5);
        loop.exec();
        return done();
    }

    // The first line of the standard output (or error) that matches pattern, waiting for it up
    // to timeoutMs.
    std::optional<QRegularExpressionMatch> waitForLine(const QString &pattern, int timeoutMs,
                                                       bool fromError = false)
    {
        const QRegularExpression expression(pattern);
        std::optional<QRegularExpressionMatch> found;
        waitUntil(
            [&] {
                for (const QString &line : fromError ? errLines : outLines)
                    if (const auto match = expression.match(line); match.hasMatch()) {
                        found = match;
                        return true;
                    }
                return false;
            },
            timeoutMs);
        return found;
    }

    // How many lines of the standard output (or error) match pattern now.
    int count(const QString &pattern, bool fromError = false) const
    {
        const QRegularExpression expression(pattern);
        int n = 0;
        for (const QString &line : fromError ? errLines : outLines)
            n += expression.match(line).hasMatch();
        return n;
    }

    // Waits up to timeoutMs for the process to end; its exit code, or nothing when it is still
    // running or died of a signal.
    std::optional<int> waitForExit(int timeoutMs)
    {
        waitUntil([this] { return !isRunning(); }, timeoutMs);
        if (isRunning() || process.exitStatus() != QProcess::NormalExit)
            return std::nullopt;
        return process.exitCode();
    }

    void signal(int number) const
    {
        if (isRunning())
            ::kill(static_cast<pid_t>(pid()), number);
    }

    void write(const QByteArray &bytes) { process.write(bytes); }

    QProcess process;
    // Each whole line of the standard output as it comes (also kept in outLines).
    std::function<void(const QString &)> onLine;
    QString out, err;
    QStringList outLines, errLines;

private:
    void take(QProcess::ProcessChannel channel, QString &all, QStringList &lines)
    {
        process.setReadChannel(channel);
        const QString text = QString::fromUtf8(process.readAll());
        all += text;
        // Whole lines only: a line cut between two reads is joined first.
        QStringList parts = (m_partial[channel] + text).split(QLatin1Char('\n'));
        m_partial[channel] = parts.takeLast();
        lines += parts;
        if (channel == QProcess::StandardOutput && onLine)
            for (const QString &line : parts)
                onLine(line);
    }

    QString m_partial[2];
};

// What a player process reported: its outcomes, how many of them the cards do not give, the
// money its outcomes add up to when settled again from their cards, and the money the table last
// told it.
struct Report
{
    int outcomes = 0;
    int disagreements = 0; // an outcome whose change the cards do not give
    double settled = 10000; // the starting money and every outcome's change from its cards
    std::optional<double> money; // as the table last told it
};

inline Report reportOf(const ProgramProcess &player)
{
    Report report;
    for (const QString &line : player.outLines) {
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.front() == QStringLiteral("outcome") && words.size() == 4) {
            ++report.outcomes;
            report.disagreements += words[1] != words[2];
            report.settled += words[2].toDouble();
        } else if (words.front() == QStringLiteral("money") && words.size() == 2) {
            report.money = words[1].toDouble();
        }
    }
    return report;
}

} // namespace nettest
