#include "settings_file.hpp"

#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace vantor {
namespace {

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
