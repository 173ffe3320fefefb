// Replays the network fuzz targets' seeds and the inputs of their findings through the same
// checks the targets make, in the ordinary run (and under the sanitizers): among them the
// hostile cases, a length prefix of gigabytes, a truncated frame, an unknown message, an action
// out of turn or from a connection with no seat, a hello with a token no seat holds.
#include "fuzz/NetProperties.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <vector>

namespace {

struct Input
{
    QString path;
    QByteArray bytes;
};

std::vector<Input> inputsOf(const QString &target)
{
    std::vector<Input> inputs;
    for (const char *kind : { "corpus", "regressions" }) {
        // Dot files (the .keep of an empty folder) are no inputs.
        const QDir folder(QStringLiteral(POKDENG_FUZZ_DIR "/") + QLatin1StringView(kind)
                          + QLatin1Char('/') + target);
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                inputs.push_back({ file.fileName(), file.readAll() });
        }
    }
    return inputs;
}

TEST(NetFuzzInputs, DecoderAndFrameReaderTakeEveryKeptInput)
{
    const std::vector<Input> inputs = inputsOf(QStringLiteral("net_message"));
    ASSERT_GE(inputs.size(), 10U);
    for (const Input &input : inputs)
        EXPECT_EQ(net::fuzz::checkMessageBytes(input.bytes), "") << input.path.toStdString();
}

TEST(NetFuzzInputs, HostTakesEveryKeptScript)
{
    const std::vector<Input> inputs = inputsOf(QStringLiteral("net_host"));
    ASSERT_GE(inputs.size(), 5U);
    for (const Input &input : inputs)
        EXPECT_EQ(net::fuzz::checkHostScript(input.bytes), "") << input.path.toStdString();
}

} // namespace
