#include "rules/ScoreFile.h"

#include "rules/CodePage874.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

using namespace cards;

namespace {

// The plain record line as the file stores it: every byte shifted up.
std::string stored(std::string_view plainLine)
{
    std::string bytes(plainLine);
    for (char &c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) + kScoreShift);
    return bytes;
}

std::string repeated(std::string_view text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

struct RoundTrip
{
    const char *what;
    std::string name; // UTF-8
    double money;
    std::string plainLine; // Windows-874, before the shift
};

} // namespace

TEST(ScoreFileLayout, StoresTheShiftedLineByteForByte)
{
    // A line whose stored bytes are written out: "Ann$ 10000" shifted by four.
    ASSERT_EQ(kScoreShift, 4);
    EXPECT_EQ(scoreFileBytes("Ann", 10000), "Err($54444");

    const RoundTrip cases[] = {
        { "a Thai name", "สมชาย", 10000, "\xCA\xC1\xAA\xD2\xC2$ 10000" },
        { "tone marks and vowels", "น้ำ", 250, "\xB9\xE9\xD3$ 250" },
        { "an ASCII name", "Ann", 10000, "Ann$ 10000" },
        { "blanks only", "   ", 500.5, "   $ 500.5" },
        { "a negative amount", "Bob", -4000, "Bob$-4000" },
        { "a negative fraction", "Bob", -0.25, "Bob$-0.25" },
        { "an empty name", "", 0, "$ 0" },
        { "the code page's highest and quote bytes", "๛€“”", 1, "\xFB\x80\x93\x94$ 1" },
        { "an amount the table would write with an exponent", "Ann", 1e15,
          "Ann$ 1000000000000000" },
    };
    for (const RoundTrip &c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::string> bytes = scoreFileBytes(c.name, c.money);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(*bytes, stored(c.plainLine));
        const ScoreRecord back = parseScoreFile(*bytes);
        EXPECT_EQ(back.name, c.name);
        EXPECT_EQ(back.money, c.money);
    }
}

TEST(ScoreFileLayout, RefusesANameTheCodePageCannotStore)
{
    EXPECT_FALSE(scoreFileBytes("Ann😀", 10000));
    EXPECT_FALSE(scoreFileBytes("中文", 10000));
    EXPECT_FALSE(scoreFileBytes("\xFF\xFE", 10000)) << "not UTF-8";
}

TEST(ScoreFileLayout, ShiftIsUndoneForEveryByte)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(unscrambleText(scrambleText(all)), all);
    // A byte below the shift wraps instead of leaving the byte range.
    EXPECT_EQ(unscrambleText("\x01"), "\xFD");
}

TEST(ScoreFileReading, FilesWrittenElsewhere)
{
    struct Case
    {
        const char *what;
        std::string storedBytes;
        std::string name;
        double money;
    };
    const Case cases[] = {
        { "empty file", "", "", 0 },
        { "no separator: the whole text is the name", stored("Ann 500"), "Ann 500", 0 },
        { "a \"$\" in the name cuts it, the rest is no number", stored("An$n$ 500"), "An", 0 },
        { "a \"$\" in the name, the rest starting with digits", stored("A$ 12$ 500"), "A", 12 },
        { "nothing after the separator", stored("Ann$"), "Ann", 0 },
        { "a line end added by hand", stored("Ann$ 500") + "\r\n", "Ann", 500 },
        { "undefined code page bytes in the name",
          stored("\xDB\xFC"
                 "a$ 7"),
          "\xEF\xBF\xBD\xEF\xBF\xBD"
          "a",
          7 },
        { "bytes below the shift", std::string("\x01\x02", 2) + stored("$ 3"),
          "\xEF\xBF\xBD\xEF\xBF\xBD", 3 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const ScoreRecord record = parseScoreFile(c.storedBytes);
        EXPECT_EQ(record.name, c.name);
        EXPECT_EQ(record.money, c.money);
    }
}

TEST(ScoreFileReading, RandomBytesNeverCrashAndDefinedBytesReadBack)
{
    std::mt19937_64 generator(20240601);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(generator() % 64, '\0');
        for (char &c : bytes)
            c = static_cast<char>(generator() & 0xFF);
        // Some files with a separator in them, so the money reader gets work too.
        if (round % 2 == 0 && !bytes.empty())
            bytes[generator() % bytes.size()] = stored("$")[0];
        const ScoreRecord record = parseScoreFile(bytes);
        EXPECT_TRUE(std::isfinite(record.money));
        // Every byte the code page defines is read as its character: written back, the name
        // gives the same bytes again.
        if (record.name.find("\xEF\xBF\xBD") == std::string::npos) {
            const std::string nameBytes = unscrambleText(bytes.substr(0, bytes.find(stored("$"))));
            EXPECT_EQ(toCodePage874(record.name), nameBytes);
        }
    }
}

TEST(ClassicNumberReader, ReadsLikeTheClassicReader)
{
    struct Case
    {
        const char *text;
        double value;
    };
    const Case cases[] = {
        { " 10000", 10000 }, { "-4000", -4000 }, { " 500.5", 500.5 }, { "   -  3.5", -3.5 },
        { "1 000", 1000 }, // blanks are skipped wherever they stand
        { "\t12\n3", 123 },  { "3.5.2", 3.5 }, // a second point ends the number
        { ".5", 0.5 },       { "-.25", -0.25 },  { "7.", 7 },         { "12$ 500", 12 },
        { "12abc", 12 },     { "1e5", 1 }, // no exponent
        { "1E5", 1 },        { "0x10", 0 }, // no hexadecimal
        { "inf", 0 },        { "nan", 0 },       { "+5", 0 }, // only a minus
        { "--5", 0 },        { "-", 0 },         { ".", 0 },          { "", 0 },
        { "abc", 0 },        { "\r5", 0 }, // a carriage return is not a blank
        { "0.1", 0.1 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(readClassicNumber(c.text), c.value) << '"' << c.text << '"';

    EXPECT_EQ(readClassicNumber(std::string(400, '9')), 0) << "beyond a double";
    EXPECT_EQ(readClassicNumber("123456789012345678"), 123456789012345678.0);
}

TEST(NameCheck, AcceptsWhatTheFileCanKeepAndNothingElse)
{
    struct Case
    {
        const char *what;
        std::string name;
        NameProblem problem;
    };
    const Case cases[] = {
        { "Thai", "สมชาย", NameProblem::None },
        { "Thai with tone marks", "น้ำใจ", NameProblem::None },
        { "ASCII with punctuation", "Ann-Marie (2)!", NameProblem::None },
        { "blanks only", "   ", NameProblem::None },
        { "empty", "", NameProblem::None },
        { "code page extras", "€…‘’", NameProblem::None },
        { "no-break space",
          "a\xC2\xA0"
          "b",
          NameProblem::None },
        { "30 Thai characters", repeated("ก", 30), NameProblem::None },
        { "a dollar", "Ann$", NameProblem::Separator },
        { "a tab", "a\tb", NameProblem::ControlCharacter },
        { "a line end", "a\nb", NameProblem::ControlCharacter },
        { "delete", "a\x7F", NameProblem::ControlCharacter },
        { "a C1 control", "a\xC2\x85", NameProblem::NotInCodePage },
        { "an emoji", "Ann😀", NameProblem::NotInCodePage },
        { "Chinese", "中", NameProblem::NotInCodePage },
        { "Latin with accent", "José", NameProblem::NotInCodePage },
        { "broken UTF-8", "a\xFF", NameProblem::NotInCodePage },
        { "a tag character, which the converter drops silently", "Ann\xF3\xA0\x80\x81",
          NameProblem::NotInCodePage },
        { "31 ASCII characters", std::string(31, 'a'), NameProblem::TooLong },
        { "31 Thai characters", repeated("ก", 31), NameProblem::TooLong },
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkName(c.name), c.problem) << c.what;
    ASSERT_EQ(kMaxNameLength, 30u);
}
