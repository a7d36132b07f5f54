#include "ini_file.hpp"

#include <gtest/gtest.h>

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
// LF, took that line's CR; and a file ending in a bare CR gained another CR inside its last line.
TEST(IniFileTest, WriteKeepsTheLineEndsOfOtherLines) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"crlf line in a file of lf lines", "\n[a]\r\n", "\n[a]\r\nk=v\n"},
        {"bare cr at the end, new section", "\r", "\r\n[a]\r\nk=v\r\n"},
        {"bare cr at the end of the section", "[a]\r", "[a]\r\nk=v\r\n"},
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

} // namespace
} // namespace vantor
