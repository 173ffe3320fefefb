// A message's bytes as either side might receive them: the decoder answers with a message or a
// reason, never a crash; a message it takes is encoded back to the same message; the frame
// reader, fed the same bytes in two cuts, keeps no more than one message and a chunk.
#include "net/Protocol.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fault(const char *what)
{
    std::fprintf(stderr, "net message: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    for (const net::Sender from : { net::Sender::Person, net::Sender::Host }) {
        const net::Decoded decoded = net::decode(bytes, from);
        if (decoded.message.has_value() == (decoded.error != nullptr))
            fault("a message and a reason, or neither");
        if (!decoded.message)
            continue;
        const QByteArray again = net::encode(*decoded.message);
        const net::Decoded redecoded = net::decode(QByteArrayView(again).sliced(4), from);
        if (!redecoded.message || !(*redecoded.message == *decoded.message))
            fault("a message does not survive its own encoding");
    }

    net::FrameReader reader;
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);
    reader.feed(QByteArrayView(data, static_cast<qsizetype>(cut)));
    int messages = 0;
    while (reader.next())
        ++messages;
    reader.feed(QByteArrayView(data + cut, static_cast<qsizetype>(size - cut)));
    while (const auto body = reader.next()) {
        ++messages;
        (void)net::decode(*body, net::Sender::Person);
    }
    if (reader.buffered() > static_cast<qsizetype>(net::kMaxMessageBytes + 4))
        fault("the frame reader keeps more than a message");
    if (messages > static_cast<int>(size / 4) + 1)
        fault("more messages than the bytes hold");
    return 0;
}
