#include "shell/CommandLine.h"
#include "shell/HeadlessHost.h"
#include "shell/Program.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

int wrongCommandLine(const QString &problem)
{
    std::fputs(
        (problem + QStringLiteral("\nดูตัวเลือกทั้งหมดด้วย pokdeng --help\n")).toUtf8().constData(),
        stderr);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before any application exists: --help, a wrong option and --host need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = parseCommandLine(arguments);
    if (command.leavesQtOptions) {
        // The window system's own options (-platform, -style...): the application takes them
        // out, and what is left is read again.
        QApplication app(argc, argv);
        const CommandLine windowed = parseCommandLine(QCoreApplication::arguments());
        if (windowed.mode == CommandLine::Mode::Join)
            return runProgramAtTable(windowed.choice);
        if (windowed.mode == CommandLine::Mode::Game)
            return runProgram();
        return wrongCommandLine(windowed.text);
    }
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(command.text.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Mode::Error:
        return wrongCommandLine(command.text);
    case CommandLine::Mode::Host: {
        // No window, so no display: a core application.
        QCoreApplication app(argc, argv);
        return runHeadlessHost(command.choice);
    }
    case CommandLine::Mode::Join: {
        QApplication app(argc, argv);
        return runProgramAtTable(command.choice);
    }
    case CommandLine::Mode::Game:
        break;
    }
    QApplication app(argc, argv);
    return runProgram();
}
