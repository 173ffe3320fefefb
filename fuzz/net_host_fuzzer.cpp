// A table's host fed any sequence of what four connections might do, with no socket: open,
// send bytes (any, or a well-formed hello, action, shown or chat to reach past the door), lose
// the connection. The host never crashes, each connection acts only for its own seat, and the
// table's seats stay consistent with the host's view of them.
#include "fuzz/NetProperties.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "net_host_fuzzer";
    static char *argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    // The host's log of joins and refusals would bury libFuzzer's own lines.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtInfoMsg && type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string problem
        = net::fuzz::checkHostScript(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!problem.empty()) {
        std::fprintf(stderr, "net host: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
