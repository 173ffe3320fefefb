// Whatever the name box accepts comes back from the score file identical, with its money: the
// first eight bytes of the input choose the money, the rest is the name.
#include "fuzz/ScoreFileProperties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string problem
        = cards::fuzz::checkNameRoundTrip({ reinterpret_cast<const char *>(data), size });
    if (!problem.empty()) {
        std::fprintf(stderr, "name round trip: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
