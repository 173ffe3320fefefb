// A message's bytes as either side might receive them: the decoder answers with a message or a
// reason, never a crash; a message it takes is encoded back to the same message; the frame
// reader, fed the same bytes in two cuts, keeps no more than one message and a chunk.
#include "fuzz/NetProperties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string problem
        = net::fuzz::checkMessageBytes(QByteArrayView(data, static_cast<qsizetype>(size)));
    if (!problem.empty()) {
        std::fprintf(stderr, "net message: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
