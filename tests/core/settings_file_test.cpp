#include "settings_file.hpp"

#include "fifo.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(SettingsFileTest, UsesTheFileBesideTheProgramWhenItIsThereOrCanBe) {
    TempFolder folder;
    EXPECT_EQ(settingsFilePath(folder.path()), folder / "vantor2000.ini");
    // Only where taking the write permission away stops this process: not for root, and not on
    // Windows, where a folder's read-only flag means something else.
    using std::filesystem::perms;
    std::filesystem::permissions(folder.path(), perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (!std::ofstream(folder / "probe")) {
        EXPECT_NE(settingsFilePath(folder.path()).parent_path(), folder.path());
    }
    std::filesystem::permissions(folder.path(), perms::owner_write, std::filesystem::perm_options::add);
}

} // namespace
} // namespace vantor
