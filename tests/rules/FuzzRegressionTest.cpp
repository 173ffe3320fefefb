// Replays every input the fuzz targets found, and their seed files, through the same checks the
// fuzz targets make: a finding, once fixed, stays fixed in the ordinary test run.
#include "fuzz/ScoreFileProperties.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsOf(const std::string &target)
{
    std::vector<fs::path> files;
    for (const char *kind : { "regressions", "corpus" }) {
        const fs::path folder = fs::path(POKDENG_FUZZ_DIR) / kind / target;
        // Dot files (the .keep of an empty folder) are no inputs.
        for (const fs::directory_entry &entry : fs::directory_iterator(folder))
            if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string contentOf(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace

TEST(FuzzFindings, ScoreFileReaderTakesEveryKeptInput)
{
    const std::vector<fs::path> files = inputsOf("score_file");
    ASSERT_FALSE(files.empty());
    for (const fs::path &file : files)
        EXPECT_EQ(cards::fuzz::checkReadsAnyBytes(contentOf(file)), "") << file;
}

TEST(FuzzFindings, NamesComeBackIdenticalForEveryKeptInput)
{
    const std::vector<fs::path> files = inputsOf("name_round_trip");
    ASSERT_FALSE(files.empty());
    for (const fs::path &file : files)
        EXPECT_EQ(cards::fuzz::checkNameRoundTrip(contentOf(file)), "") << file;
}
