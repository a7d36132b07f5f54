#include "ini_file.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace vantor {
namespace {

const char* const Sample = "; kept comment\r\n"
                           "[Config]\r\n"
                           "KX72000EXE = /games/kx7/KX7_2000.EXE \r\n"
                           "other=1\r\n"
                           "\r\n"
                           "[descriptions]\r\n"
                           "desc1=\"Top speed\"\r\n"
                           "desc2=a=b\r\n"
                           "[config]\r\n"
                           "lastdir=/second/section/is/ignored/\r\n";

TEST(IniFileTest, ReadsFirstMatchIgnoringCaseAndBlanks) {
    const IniFile ini(Sample);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"config", "kx72000exe", "/games/kx7/KX7_2000.EXE"},
        {"CONFIG", "Other", "1"},
        {"config", "lastdir", "fallback"},
        {"descriptions", "desc1", "Top speed"},
        {"descriptions", "desc2", "a=b"},
        {"descriptions", "desc3", "fallback"},
        {"missing", "desc1", "fallback"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.read(c.section, c.key, "fallback"), c.expected) << c.section << "/" << c.key;
    }
}

// The same values as read() gives, key by key.
TEST(IniFileTest, ReadsASectionInOnePass) {
    using Values = std::map<std::string, std::string>;
    const IniFile ini(Sample);
    EXPECT_EQ(ini.section("CONFIG"), (Values{{"kx72000exe", "/games/kx7/KX7_2000.EXE"}, {"other", "1"}}));
    EXPECT_EQ(ini.section("descriptions"), (Values{{"desc1", "Top speed"}, {"desc2", "a=b"}}));
    EXPECT_EQ(ini.section("missing"), Values{});
    EXPECT_EQ(IniFile("[s]\nKey=first\n; k=comment\nkey=second\n").section("s"), (Values{{"key", "first"}}));
}

TEST(IniFileTest, WriteChangesOneLineAndKeepsTheRest) {
    IniFile ini(Sample);
    ini.write("config", "kx72000exe", "");
    std::string expected = Sample;
    expected.replace(expected.find("KX72000EXE = /games/kx7/KX7_2000.EXE "),
                     std::string("KX72000EXE = /games/kx7/KX7_2000.EXE ").size(), "kx72000exe=");
    EXPECT_EQ(ini.text(), expected);
}

TEST(IniFileTest, WriteAddsTheKeyToItsSectionOrTheSectionAtTheEnd) {
    IniFile ini("[config]\nkx72000exe=x\n\n[descriptions]\ndesc1=a\n");
    ini.write("config", "lastdir", "/tracks/");
    ini.write("other", "key", "v");
    EXPECT_EQ(ini.text(),
              "[config]\nkx72000exe=x\nlastdir=/tracks/\n\n[descriptions]\ndesc1=a\n[other]\nkey=v\n");

    IniFile empty;
    empty.write("config", "lastdir", "");
    EXPECT_EQ(empty.text(), "[config]\r\nlastdir=\r\n");
    EXPECT_EQ(empty.read("config", "lastdir", "fallback"), "");
}

// Found by fuzzing: a key added behind a line ending in CR LF, in a file whose first line ends in
// LF, took that line's CR; and a file ending in a bare CR gained another CR, where the bare CR
// already ends the line; and a key added in front of a blank LF line, in a file whose first line
// ends in a bare CR, joined that LF to its own CR, so the blank line was lost.
TEST(IniFileTest, WriteKeepsTheLineEndsOfOtherLines) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"crlf line in a file of lf lines", "\n[a]\r\n", "\n[a]\r\nk=v\n"},
        {"bare cr at the end, new section", "\r", "\r[a]\rk=v\r"},
        {"bare cr at the end of the section", "[a]\r", "[a]\rk=v\r"},
        {"bare cr file, section in front of a blank lf line", "\r[a]\n\n", "\r[a]\nk=v\n\n"},
    };
    for (const Case& c : cases) {
        IniFile ini(c.text);
        ini.write("a", "k", "v");
        EXPECT_EQ(ini.text(), c.expected) << c.name;
        EXPECT_EQ(ini.read("a", "k"), "v") << c.name;
    }
}

TEST(IniFileTest, CutsLongValues) {
    const IniFile ini("[s]\nk=" + std::string(3000, 'v') + "\n");
    EXPECT_EQ(ini.read("s", "k").size(), MaximumIniValueLength);
}

// Files as the platform's tools write them, byte for byte: read, then one key added.
struct EncodingCase {
    const char* name;
    std::string_view file;
    std::string_view value;      // of s/k, in UTF-8 when the file holds Unicode
    std::string_view afterWrite; // after s/new := e acute (UTF-8 C3 A9)
};

using namespace std::string_view_literals;

const EncodingCase EncodingCases[] = {
    {"Utf8ByteOrderMarkSkippedAndKept", "\xEF\xBB\xBF[s]\r\nk=v\r\n"sv, "v",
     "\xEF\xBB\xBF[s]\r\nk=v\r\nnew=\xC3\xA9\r\n"sv},
    {"Utf16LeConvertedAndKept", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE4\0\r\0\n\0"sv, "\xC3\xA4",
     "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0\xE4\0\r\0\n\0n\0e\0w\0=\0\xE9\0\r\0\n\0"sv},
    {"Utf16LeSurrogatePairWithCrOnly", "\xFF\xFE[\0s\0]\0\r\0k\0=\0\x3D\xD8\x00\xDE\r\0"sv,
     "\xF0\x9F\x98\x80", "\xFF\xFE[\0s\0]\0\r\0k\0=\0\x3D\xD8\x00\xDE\r\0n\0e\0w\0=\0\xE9\0\r\0"sv},
    {"Utf16LeLoneSurrogateAndOddByte", "\xFF\xFE[\0s\0]\0\n\0k\0=\0\x00\xD8\n\0\x41"sv, "\xEF\xBF\xBD",
     "\xFF\xFE[\0s\0]\0\n\0k\0=\0\xFD\xFF\n\0n\0e\0w\0=\0\xE9\0\n\0"sv},
    {"CrAloneEndsALine", "[s]\rk=v\rother=1\r"sv, "v", "[s]\rk=v\rother=1\rnew=\xC3\xA9\r"sv},
    {"CrOnlyWithoutLastLineEnd", "[s]\rk=v"sv, "v", "[s]\rk=v\rnew=\xC3\xA9\r"sv},
    {"LfOnly", "[s]\nk=v\n"sv, "v", "[s]\nk=v\nnew=\xC3\xA9\n"sv},
    {"SingleBytesTakenAsTheyAre", "[s]\r\nk=\xE4\r\n"sv, "\xE4", "[s]\r\nk=\xE4\r\nnew=\xC3\xA9\r\n"sv},
};

class IniFileEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST_P(IniFileEncodingTest, ReadsAsThePlatformAndWritesInTheFilesEncoding) {
    const EncodingCase& c = GetParam();
    IniFile ini = IniFile::fromBytes(bytesOf(c.file));
    EXPECT_EQ(ini.read("s", "k", "fallback"), c.value);
    ini.write("s", "new", "\xC3\xA9");
    EXPECT_EQ(ini.toBytes(), bytesOf(c.afterWrite));
    // A well-formed file read and written unchanged keeps every byte.
    EXPECT_EQ(IniFile::fromBytes(bytesOf(c.afterWrite)).toBytes(), bytesOf(c.afterWrite));
}

INSTANTIATE_TEST_SUITE_P(Files, IniFileEncodingTest, ::testing::ValuesIn(EncodingCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vantor
