#include "settings_file.hpp"

#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// Where the settings live on systems that keep them under $XDG_CONFIG_HOME or ~/.config; Windows
// keeps them in %APPDATA%.
namespace vantor {
namespace {

using testing::TempFolder;

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
