#include "magic_file_check.hpp"

#include "magic_text_fixture.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::magicText;

struct ExpectedFinding {
    int line;
    Severity severity;
    // A part of the message that says what the compiler would do.
    std::string says;
};

struct CheckCase {
    const char* name;
    std::string text;
    std::vector<ExpectedFinding> expected;
};

std::string withoutLine(std::string text, int line) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        start = text.find("\r\n", start) + 2;
    }
    return text.erase(start, text.find("\r\n", start) + 2 - start);
}

std::string withLineFeedsOnly(std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) {
        text.erase(at, 1);
    }
    return text;
}

const std::string Clean = magicText({{1, "-1        ; grip"}, {25, "-2147483648; top"}}, {"1200,37", "0,0"});

std::vector<CheckCase> checkCases() {
    // The header and the empty line take 25 bytes, each empty value line 14: values 1 to 99 stay.
    std::string truncated = magicText({});
    truncated.resize(25 + 14 * 99);
    return {
        {"WriterOutputIsClean", Clean, {}},
        {"SpacesAroundBumpNumbersAreHarmless", magicText({}, {" 12 , 34", "$FFFE,0"}), {}},
        {"HeaderInAnotherCase",
         "[KX7-2000 Magic File]\r\n",
         {{1, Severity::Error,
           "the first line is not \"[kx7-2000 magic file]\": insertion refuses the file"}}},
        {"LineFeedsOnlyGetAHint", withLineFeedsOnly(Clean), {{1, Severity::Error, "lines end in LF alone"}}},
        {"NumberReadOnlyInPart",
         magicText({{5, "12abc     ; x"}}),
         {{7, Severity::Error, "\"12abc\" is read as 12"}}},
        {"SignDroppedWhenStoppedEarly",
         magicText({{5, "-5x; x"}}),
         {{7, Severity::Error,
           "\"-5x\" is read as 5: the compiler stops reading at \"x\" and drops the minus sign"}}},
        {"ValueLineWithoutSemicolon",
         magicText({{3, "42 grip"}}),
         {{5, Severity::Error, "has no \";\" and is read as 0"}}},
        {"ValueLineWithoutNumber", magicText({{3, "   ; grip"}}), {{5, Severity::Error, "has no number"}}},
        {"BiasedByteOutOfRange",
         magicText({{7, "120       ; x"}}),
         {{9, Severity::Warning,
           "value 7 = 120 is outside -151 to 104, the range of a biased byte, and would be stored as -136"}}},
        {"Unsigned16OutOfRange",
         magicText({{40, "-1; x"}}),
         {{42, Severity::Warning, "the range of an unsigned 16-bit, and would be stored as 65535"}}},
        {"NumberBeyond32Bits",
         magicText({{25, "3000000000; x"}}),
         {{27, Severity::Error, "beyond the 32-bit range"}}},
        {"ValueLineRemoved",
         withoutLine(Clean, 50),
         {{132, Severity::Error, "value 130 has no \";\" and is read as 0"},
          {133, Severity::Error,
           "1 value line is missing, which shifts every later value up by 1 line; value 130 is read from a "
           "line that is no value line, and the first bump line is skipped"}}},
        {"ValueLineAdded",
         magicText({{10, "1; x\r\n2; y"}}),
         {{135, Severity::Error,
           "1 line too many among the value lines shifts every value after it down by 1 line, and the last "
           "value line is never read"}}},
        {"BumpLineWhereTheWriterLeavesALineEmpty",
         withoutLine(magicText({}, {"1,2"}), 135),
         {{135, Severity::Error, "line 135 should be empty"}}},
        {"BumpLineNumberReadInPart",
         magicText({}, {"1,2", "12x,4"}),
         {{137, Severity::Error, "bump line \"12x,4\" is malformed: \"12x\" is read as 12"}}},
        {"BumpLineWithoutComma",
         magicText({}, {"7"}),
         {{136, Severity::Error, "has no \",\" and is read as 0,7"}}},
        {"BumpValueIsTheEndMark",
         magicText({}, {"65535,0"}),
         {{136, Severity::Error, "insertion refuses the file"}}},
        {"NegativeBumpValueBecomesTheEndMark", magicText({}, {"3,-1"}), {{136, Severity::Error, "end mark"}}},
        {"BumpValueBeyond16Bits",
         magicText({}, {"70000,1"}),
         {{136, Severity::Warning, "would be stored as 4464"}}},
        {"EndOfFileByteBeforeTheEnd",
         magicText({}, {"1,2", std::string("\x1A") + "3,4"}),
         {{137, Severity::Error, "the byte 1A at offset"}}},
        {"EndOfFileByteAtTheEndIsHarmless", Clean + "\x1A", {}},
        {"ControlCharactersStayOnTheFindingsLine",
         magicText({{4, "1\x01"
                        "2; x"}}),
         {{6, Severity::Error,
           "value 4 \"1\\x012\" is read as 1: the compiler stops reading at \"\\x012\""}}},
        {"LoneLineFeedJoinsTwoLines",
         magicText({{9, "1; x\n2; y"}}),
         {{11, Severity::Error, "a line feed without a carriage return does not end a line"}}},
        {"FileCutShort", truncated, {{102, Severity::Error, "values 100 to 130 are read as 0"}}},
    };
}

class MagicFileCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(MagicFileCheckTest, FindsWhatTheCompilerReadsDifferently) {
    const CheckCase& c = GetParam();
    const std::vector<Finding> findings = checkMagicText(bytesOf(c.text), "car.md2");
    ASSERT_EQ(findings.size(), c.expected.size());
    for (std::size_t i = 0; i < findings.size(); ++i) {
        EXPECT_EQ(findings[i].file, "car.md2");
        EXPECT_EQ(findings[i].line, c.expected[i].line);
        EXPECT_EQ(findings[i].offset, std::nullopt);
        EXPECT_EQ(findings[i].severity, c.expected[i].severity);
        EXPECT_NE(findings[i].message.find(c.expected[i].says), std::string::npos) << findings[i].message;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, MagicFileCheckTest, ::testing::ValuesIn(checkCases()),
                         [](const auto& info) { return info.param.name; });

// The slips a new user made: a value line deleted and "12abc" typed for a value.
TEST(MagicFileCheckTest, ReportsEverySlipOfOneFileInLineOrder) {
    const std::string text = withoutLine(magicText({{20, "12abc; x"}}, {"1200,37"}), 60);
    const std::vector<Finding> findings = checkMagicText(bytesOf(text), "car.md2");
    ASSERT_EQ(findings.size(), 3u);
    EXPECT_EQ(findings[0].line, 22);
    EXPECT_EQ(findings[1].line, 132) << "value 130 is read from the empty line";
    EXPECT_EQ(findings[2].line, 133);
}

} // namespace
} // namespace vantor
