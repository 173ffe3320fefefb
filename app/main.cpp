#include "shell/CommandLine.h"
#include "shell/HeadlessHost.h"
#include "shell/Program.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Read before any application exists: --help, a wrong option and --host need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = parseCommandLine(arguments);
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(command.text.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Mode::Error:
        std::fputs((command.text + QStringLiteral("\nดูตัวเลือกทั้งหมดด้วย pokdeng --help\n"))
                       .toUtf8()
                       .constData(),
                   stderr);
        return 2;
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
