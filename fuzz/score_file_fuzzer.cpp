// Any bytes as the score file: the reader must never crash, leak or misbehave, and must give a
// name in valid UTF-8 and a finite money.
#include "fuzz/ScoreFileProperties.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string problem
        = cards::fuzz::checkReadsAnyBytes({ reinterpret_cast<const char *>(data), size });
    if (!problem.empty()) {
        std::fprintf(stderr, "score file reader: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
