#include "settings_file.hpp"

#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {
namespace {

using namespace std::string_view_literals;
using testing::readBytes;
using testing::TempFolder;

TEST(SettingsFileTest, ReadsValuesAndCutsDescriptions) {
    TempFolder folder;
    std::string text = "[config]\r\nkx72000exe=/g/KX7_2000.EXE\r\nlastdir=/T/\r\n[descriptions]\r\n";
    text += "desc0=never\r\ndesc1=first\r\ndesc130=" + std::string(300, 'd') + "\r\ndesc131=never\r\n";
    text += "desc2=\xE9t\xE9\r\n";
    const auto file = folder.write("vantor2000.ini", text);

    const Settings settings = readSettings(file);
    EXPECT_EQ(settings.gameExePath, "/g/KX7_2000.EXE");
    EXPECT_EQ(settings.lastDir, "/T/");
    EXPECT_EQ(settings.descriptions[0], "first");
    EXPECT_EQ(settings.descriptions[1], "\xE9t\xE9");
    EXPECT_EQ(settings.descriptions[56], "");
    EXPECT_EQ(settings.descriptions[129], std::string(255, 'd'));
}

TEST(SettingsFileTest, MissingFileReadsEmptyAndWriteCreatesIt) {
    TempFolder folder;
    const auto file = folder / "vantor2000.ini";
    EXPECT_EQ(readSettings(file).gameExePath, "");
    writeSettings(file, "", "/tracks/");
    const auto bytes = readBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[config]\r\nkx72000exe=\r\nlastdir=/tracks/\r\n");
}

TEST(SettingsFileTest, WriteKeepsCommentsAndOtherSections) {
    TempFolder folder;
    const std::string text =
        "; my notes\r\n[descriptions]\r\ndesc1=a\r\n[config]\r\nlastdir=/old/\r\n[x]\r\ny=z\r\n";
    const auto file = folder.write("vantor2000.ini", text);
    writeSettings(file, "/g/KX7_2000.EXE", "/new/");
    const auto bytes = readBytes(file);
    EXPECT_EQ(
        std::string(bytes.begin(), bytes.end()),
        "; my "
        "notes\r\n[descriptions]\r\ndesc1=a\r\n[config]\r\nlastdir=/new/\r\nkx72000exe=/g/KX7_2000.EXE\r\n"
        "[x]\r\ny=z\r\n");
}

// The file is rewritten only when a value differs from what it holds: a rewrite would replace the
// file (a new inode) and tidy the line of each key it sets.
TEST(SettingsFileTest, WritesOnlyWhenAValueChanged) {
    struct Case {
        const char* name;
        const char* gameExePath;
        const char* lastDir;
        bool written;
    };
    const Case cases[] = {
        {"both the same", "/g/KX7_2000.EXE", "/t/", false},
        {"folder changed", "/g/KX7_2000.EXE", "/u/", true},
        {"executable cleared", "", "/t/", true},
    };
    const std::string text = "[Config]\r\nKX72000EXE = \"/g/KX7_2000.EXE\"\r\nlastdir=/t/\r\n";
    for (const Case& c : cases) {
        TempFolder folder;
        const auto file = folder.write("vantor2000.ini", text);
        struct stat before {};
        ::stat(file.c_str(), &before);
        writeSettings(file, c.gameExePath, c.lastDir);
        struct stat after {};
        ::stat(file.c_str(), &after);
        EXPECT_EQ(before.st_ino != after.st_ino, c.written) << c.name;
        const auto bytes = readBytes(file);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()) == text, !c.written) << c.name;
        const Settings settings = readSettings(file);
        EXPECT_EQ(settings.gameExePath, c.gameExePath) << c.name;
        EXPECT_EQ(settings.lastDir, c.lastDir) << c.name;
    }
}

TEST(SettingsFileTest, AMissingKeyIsWrittenEvenWhenItsValueIsEmpty) {
    TempFolder folder;
    const auto file = folder.write("vantor2000.ini", std::string("[config]\r\nlastdir=/t/\r\n"));
    writeSettings(file, "", "/t/");
    const auto bytes = readBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[config]\r\nlastdir=/t/\r\nkx72000exe=\r\n");
}

// Windows Notepad's "Unicode": the descriptions are read, and the file stays UTF-16.
TEST(SettingsFileTest, Utf16FileIsReadAndStaysUtf16) {
    TempFolder folder;
    const std::string_view text =
        "\xFF\xFE[\0c\0o\0n\0f\0i\0g\0]\0\r\0\n\0[\0d\0e\0s\0c\0r\0i\0p\0t\0i\0o\0n\0s\0]\0"
        "\r\0\n\0d\0e\0s\0c\0\x31\0=\0\xE9\0\r\0\n\0"sv;
    const auto file = folder.write("vantor2000.ini", text);
    EXPECT_EQ(readSettings(file).descriptions[0], "\xC3\xA9");
    writeSettings(file, "", "/t/");
    const auto bytes = readBytes(file);
    const std::string_view expected =
        "\xFF\xFE[\0c\0o\0n\0f\0i\0g\0]\0\r\0\n\0k\0x\0\x37\0\x32\0\x30\0\x30\0\x30\0e\0x\0e\0=\0"
        "\r\0\n\0l\0a\0s\0t\0d\0i\0r\0=\0/\0t\0/\0\r\0\n\0[\0d\0e\0s\0c\0r\0i\0p\0t\0i\0o\0n\0s\0]\0"
        "\r\0\n\0d\0e\0s\0c\0\x31\0=\0\xE9\0\r\0\n\0"sv;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(readSettings(file).lastDir, "/t/");
}

TEST(SettingsFileTest, FailedWriteNamesTheFile) {
    TempFolder folder;
    const auto file = folder / "missing-folder-is-a-file" / "vantor2000.ini";
    folder.write("missing-folder-is-a-file", std::string("x"));
    try {
        writeSettings(file, "", "");
        FAIL() << "no error raised";
    } catch (const SettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + file.string());
    }
}

// A FIFO in the settings file's place is neither waited on nor replaced by a regular file.
TEST(SettingsFileTest, ASettingsFileThatIsNotARegularFileIsNeitherReadNorReplaced) {
    TempFolder folder;
    const auto file = folder / "vantor2000.ini";
    ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    EXPECT_EQ(readSettings(file).gameExePath, "");
    EXPECT_THROW(writeSettings(file, "/games/KX7_2000.EXE", "/tracks"), SettingsWriteError);
    EXPECT_TRUE(std::filesystem::is_fifo(file));
}

// Where the settings live, with HOME and XDG_CONFIG_HOME set per case and restored afterwards.
struct PathCase {
    const char* name;
    const char* beside;        // "file", "folder" or "" (nothing beside the program)
    const char* xdgConfigHome; // nullptr: unset; "$T" stands for an absolute folder
    const char* expected;      // "beside", "xdg" or "home"
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

class SettingsPathTest : public ::testing::TestWithParam<PathCase> {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_P(SettingsPathTest, BesideTheProgramOnlyWhenAFileIsThere) {
    const PathCase& c = GetParam();
    TempFolder program; // writable, as /usr/bin is for root
    TempFolder home;
    TempFolder config;
    if (std::string_view(c.beside) == "file") {
        program.write("vantor2000.ini", std::string("[config]\r\n"));
    } else if (std::string_view(c.beside) == "folder") {
        std::filesystem::create_directory(program / "vantor2000.ini");
    }
    ::setenv("HOME", home.path().c_str(), 1);
    if (c.xdgConfigHome == nullptr) {
        ::unsetenv("XDG_CONFIG_HOME");
    } else if (std::string_view(c.xdgConfigHome) == "$T") {
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    } else {
        ::setenv("XDG_CONFIG_HOME", c.xdgConfigHome, 1);
    }

    const std::string_view expected = c.expected;
    const std::filesystem::path wanted = expected == "beside" ? program / "vantor2000.ini"
                                         : expected == "xdg"
                                             ? config / "vantor2000" / "vantor2000.ini"
                                             : home / ".config" / "vantor2000" / "vantor2000.ini";
    EXPECT_EQ(settingsFilePath(program.path()), wanted);
}

INSTANTIATE_TEST_SUITE_P(Places, SettingsPathTest,
                         ::testing::Values(PathCase{"PortableCopy", "file", "$T", "beside"},
                                           PathCase{"WritableProgramFolder", "", "$T", "xdg"},
                                           PathCase{"FolderNamedLikeTheFile", "folder", "$T", "xdg"},
                                           PathCase{"NoConfigHome", "", nullptr, "home"},
                                           PathCase{"EmptyConfigHome", "", "", "home"},
                                           PathCase{"RelativeConfigHome", "", "relative/config", "home"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vantor
