#include "integer_text.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vantor {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::optional<std::int32_t> expected;
};

class ParseIntegerTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseIntegerTest, ConvertsOrRefuses) {
    EXPECT_EQ(parseInteger(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseIntegerTest,
    ::testing::Values(
        ParseCase{"Decimal", "17", 17}, ParseCase{"LeadingSpaces", "  5", 5},
        ParseCase{"TrailingSpace", "5 ", std::nullopt}, ParseCase{"Empty", "", std::nullopt},
        ParseCase{"SpacesOnly", "   ", std::nullopt}, ParseCase{"Plus", "+8", 8},
        ParseCase{"Minus", "-1", -1}, ParseCase{"SignAlone", "-", std::nullopt},
        ParseCase{"Dollar", "$A", 10}, ParseCase{"ZeroX", "0x11", 17}, ParseCase{"UpperZeroX", "0X1f", 31},
        ParseCase{"LoneX", "x40", 64}, ParseCase{"PrefixAlone", "$", std::nullopt},
        ParseCase{"ZeroXAlone", "0x", std::nullopt}, ParseCase{"SignBeforeHex", "-$5", std::nullopt},
        ParseCase{"HexBadDigit", "$4G", std::nullopt}, ParseCase{"Letters", "abc", std::nullopt},
        ParseCase{"Int32Min", "-2147483648", INT32_MIN}, ParseCase{"Int32Max", "2147483647", INT32_MAX},
        ParseCase{"PastInt32Max", "2147483648", std::nullopt},
        ParseCase{"PastInt32Min", "-2147483649", std::nullopt}, ParseCase{"HexPattern", "$FFFFFFFF", -1},
        ParseCase{"HexHighBit", "$80000000", INT32_MIN},
        ParseCase{"HexPast32Bits", "$100000000", std::nullopt},
        ParseCase{"HexLeadingZeros", "$000000040", 64}),
    [](const auto& info) { return info.param.name; });

struct ScanCase {
    const char* name;
    std::string text;
    std::int32_t expected;
};

class ScanMagicNumberTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanMagicNumberTest, ReadsLeniently) {
    EXPECT_EQ(scanMagicNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanMagicNumberTest,
    ::testing::Values(ScanCase{"Decimal", "42", 42}, ScanCase{"Negative", "-7", -7},
                      ScanCase{"Plus", "+7", 7}, ScanCase{"Empty", "", 0}, ScanCase{"SpacesOnly", "   ", 0},
                      ScanCase{"LeadingSpaces", "  12", 12}, ScanCase{"StopsAtLetter", "12abc", 12},
                      ScanCase{"SignDroppedWhenStopped", "-5x", 5}, ScanCase{"SignDroppedAtSpace", "-5 ", 5},
                      ScanCase{"LoneX", "x", 0}, ScanCase{"LoneSign", "-", 0},
                      ScanCase{"Dollar", "$FFFF", 0xFFFF}, ScanCase{"ZeroX", "0x1F", 31},
                      ScanCase{"HexStopsAtBadDigit", "$12G4", 0x12},
                      ScanCase{"HexEightDigitsAtMost", "$123456789", 0x12345678},
                      ScanCase{"HexPattern", "$FFFFFFFF", -1}, ScanCase{"SignBeforeHex", "-$5", 0},
                      ScanCase{"SignBeforeZeroX", "+0x5", 0}, ScanCase{"Int32Min", "-2147483648", INT32_MIN},
                      // Decimal digits accumulate modulo 2^32.
                      ScanCase{"WrapsPast32Bits", "4294967297", 1},
                      ScanCase{"WrapsToNegative", "2147483648", INT32_MIN},
                      ScanCase{"TabIsNoSpace", "\t5", 0}),
    [](const auto& info) { return info.param.name; });

struct ReadingCase {
    const char* name;
    std::string text;
    std::size_t end;
    std::size_t digitCount;
    bool beyond32Bits;
};

// Where the reading stops is what a check reports; the value itself is tested above.
TEST(ReadMagicNumberTest, TellsWhereTheReadingStopped) {
    const ReadingCase cases[] = {
        {"Whole", "  -42", 5, 2, false},
        {"StopsAtLetter", "12abc", 2, 2, false},
        {"LoneSign", "-", 1, 0, false},
        {"SignBeforeHex", "-$5", 1, 0, false},
        {"NinthHexDigit", "$123456789", 9, 8, false},
        {"Int32Min", "-2147483648", 11, 10, false},
        {"PastInt32Max", "2147483648", 10, 10, true},
        {"PastInt32MinStopped", "-2147483649x", 11, 10, true},
        {"Empty", "", 0, 0, false},
    };
    for (const ReadingCase& c : cases) {
        const MagicNumberReading reading = readMagicNumber(c.text);
        EXPECT_EQ(reading.end, c.end) << c.name;
        EXPECT_EQ(reading.digitCount, c.digitCount) << c.name;
        EXPECT_EQ(reading.beyond32Bits, c.beyond32Bits) << c.name;
        EXPECT_EQ(reading.value, scanMagicNumber(c.text)) << c.name;
    }
}

} // namespace
} // namespace vantor
