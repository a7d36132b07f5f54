#include "magic_file.hpp"
#include "run_cli.hpp"
#include "run_process.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::readBytes;
using testing::runCli;
using testing::runProcess;
using testing::TempFolder;

const char* const SettingsText =
    "[config]\r\nlastdir=/x\r\n[descriptions]\r\ndesc1=Grip\r\ndesc130=Last one\r\n";

Descriptions settingsDescriptions() {
    Descriptions descriptions;
    descriptions[0] = "Grip";
    descriptions[129] = "Last one";
    return descriptions;
}

// A track holding the block as its custom magic data.
std::vector<std::uint8_t> trackHolding(const MagicBlock& block) {
    return testing::trackWithArea(block.markedForm());
}

TEST(ExtractCommandTest, WritesTheBlockWithTheDescriptionsOfTheSettingsFile) {
    TempFolder folder;
    const MagicBlock block = testing::blockWithEntries(4, 3);
    folder.write("t.dat", trackHolding(block));
    folder.write("s.ini", std::string(SettingsText));

    const auto result = runCli(folder, {"extract", "t.dat", "out.md2", "--settings", "s.ini"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readBytes(folder / "out.md2"), bytesOf(formatMagicFile(block, settingsDescriptions())));
}

TEST(ExtractCommandTest, RoundTripThroughInsertGivesTheSameFile) {
    TempFolder folder;
    const std::string magic = formatMagicFile(testing::blockWithEntries(0, 11), settingsDescriptions());
    folder.write("m.md2", magic);
    folder.write("t.dat", testing::trackWithArea(testing::filler(20, 2)));
    folder.write("s.ini", std::string(SettingsText));

    ASSERT_EQ(runCli(folder, {"insert", "t.dat", "m.md2"}).exitCode, 0);
    const auto result = runCli(folder, {"--settings", "s.ini", "extract", "t.dat", "out.md2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(folder / "out.md2"), bytesOf(magic));
}

TEST(ExtractCommandTest, ReadOnlyTrackCanBeExtracted) {
    TempFolder folder;
    const MagicBlock block = testing::blockWithEntries(1, 5);
    const auto track = trackHolding(block);
    folder.write("t.dat", track);
    testing::ProcessResult result;
    {
        testing::UnwritableFile locked(folder / "t.dat");
        result = runCli(folder, {"extract", "t.dat", "out.md2"});
    }
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(folder / "out.md2"), bytesOf(formatMagicFile(block, Descriptions{})));
    EXPECT_EQ(readBytes(folder / "t.dat"), track);
}

TEST(ExtractCommandTest, DefaultDescriptionsAreTheDesktopProgramsBesideIt) {
    // A copy of the tool in its own folder, with the desktop program's settings file beside it.
    TempFolder install;
    const auto program = install / "vantor2000-cli";
    std::filesystem::copy_file(VANTOR_CLI_PATH, program);
    install.write("vantor2000.ini", std::string(SettingsText));

    TempFolder folder;
    const MagicBlock block = testing::blockWithEntries(2, 1);
    folder.write("t.dat", trackHolding(block));
    const auto result = runProcess(program, {"extract", "t.dat", "out.md2"}, folder.path());
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(folder / "out.md2"), bytesOf(formatMagicFile(block, settingsDescriptions())));
}

TEST(ExtractCommandTest, FailuresWriteNoOutputFile) {
    auto noEndMark = testing::trackWithArea(std::vector<std::uint8_t>{'Q', 'Z', '0', '2'}, 4);
    noEndMark.resize(noEndMark.size() + 300, 0);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> track;
        std::vector<std::string> arguments;
        int exitCode;
        std::string err;
    };
    const auto plain = testing::trackWithArea(testing::filler(50, 4));
    const std::string error = "Error: ";
    const Case cases[] = {
        {"NoCustomData",
         plain,
         {"extract", "t.dat", "out.md2"},
         1,
         error + std::string(text::NoCustomMagicData) + "\n"},
        {"MissingTrack",
         plain,
         {"extract", "missing.dat", "out.md2"},
         1,
         error + text::fileNotFound("missing.dat") + "\n"},
        {"AreaStartAtTheEnd",
         testing::trackOf(400, 368, 50),
         {"extract", "t.dat", "out.md2"},
         1,
         "Error: Read beyond end of file\n"},
        {"NoEndMark", noEndMark, {"extract", "t.dat", "out.md2"}, 1, "Error: Read beyond end of file\n"},
        {"MissingSettingsFile", plain, {"--settings", "none.ini", "extract", "t.dat", "out.md2"}, 2, ""},
        {"MissingOutput", plain, {"extract", "t.dat"}, 2, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("t.dat", c.track);
        const auto result = runCli(folder, c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err) << c.name;
        }
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"}) << c.name;
        EXPECT_EQ(readBytes(folder / "t.dat"), c.track) << c.name;
    }
}

} // namespace
} // namespace vantor
