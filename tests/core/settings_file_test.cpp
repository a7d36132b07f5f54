#include "settings_file.hpp"

#include "fifo.hpp"
#include "platform.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <string_view>

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
        const auto before = platform::identityOf(file);
        writeSettings(file, c.gameExePath, c.lastDir);
        EXPECT_EQ(before != platform::identityOf(file), c.written) << c.name;
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
    if (!testing::makeFifo(file)) {
        GTEST_SKIP() << "no FIFOs on this system";
    }
    EXPECT_EQ(readSettings(file).gameExePath, "");
    EXPECT_THROW(writeSettings(file, "/games/KX7_2000.EXE", "/tracks"), SettingsWriteError);
    EXPECT_TRUE(std::filesystem::is_fifo(file));
}

// A portable copy is a settings file already beside the program; a folder of that name is not one.
TEST(SettingsFileTest, BesideTheProgramOnlyWhenAFileIsThere) {
    struct Case {
        const char* name;
        const char* beside; // "file", "folder" or "" (nothing beside the program)
        bool used;
    };
    const Case cases[] = {
        {"portable copy", "file", true},
        {"writable program folder", "", false},
        {"folder named like the file", "folder", false},
    };
    for (const Case& c : cases) {
        TempFolder program; // writable, as /usr/bin is for root
        if (std::string_view(c.beside) == "file") {
            program.write("vantor2000.ini", std::string("[config]\r\n"));
        } else if (std::string_view(c.beside) == "folder") {
            std::filesystem::create_directory(program / "vantor2000.ini");
        }
        const auto path = settingsFilePath(program.path());
        EXPECT_EQ(path.filename(), "vantor2000.ini") << c.name;
        EXPECT_EQ(path.parent_path() == program.path(), c.used) << c.name;
    }
}

} // namespace
} // namespace vantor
