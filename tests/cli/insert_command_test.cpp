#include "magic_file.hpp"
#include "recording_messages.hpp"
#include "run_process.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "tmpdir_override.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::readBytes;
using testing::TempFolder;

// Runs the tool in the folder, with its temporary files going to tmp.
testing::ProcessResult cli(const TempFolder& folder, const TempFolder& tmp,
                           const std::vector<std::string>& arguments) {
    return testing::runProcess(VANTOR_CLI_PATH, arguments, folder.path(),
                               testing::temporaryFolderEnvironment(tmp.path()));
}

const std::string Magic = formatMagicFile(testing::blockWithEntries(3, 7), Descriptions{});

TEST(InsertCommandTest, InsertsAsTheDesktopProgramDoes) {
    TempFolder folder;
    TempFolder tmp;
    const auto original = testing::trackWithArea(testing::filler(40, 1));
    folder.write("t.dat", original);
    folder.write("same.dat", original);
    folder.write("m.md2", Magic);

    const auto result = cli(folder, tmp, {"insert", "t.dat", "m.md2", "--backup"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");

    testing::RecordingMessages messages;
    ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / "same.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
    EXPECT_EQ(readBytes(folder / "t.dat"), readBytes(folder / "same.dat"));
    EXPECT_EQ(readBytes(folder / "t.bak"), original);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "same.dat", "t.bak", "t.dat"}));
    EXPECT_TRUE(tmp.fileNames().empty());
}

TEST(InsertCommandTest, NamesOutsideAsciiAreTakenAsTheyAre) {
    // UTF-8 on the command line, whatever the system's own encoding of names.
    const std::string track = "piste \xC3\xA9t\xC3\xA9.dat";
    const std::string backup = "piste \xC3\xA9t\xC3\xA9.bak";
    const std::string magic = "donn\xC3\xA9"
                              "es \xC3\xB1.md2";
    TempFolder folder;
    TempFolder tmp;
    const auto original = testing::trackWithArea(testing::filler(40, 1));
    folder.write(track, original);
    folder.write("same.dat", original);
    folder.write(magic, Magic);

    const auto result = cli(folder, tmp, {"insert", track, magic, "--backup"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");

    testing::RecordingMessages messages;
    ASSERT_EQ(InsertMagicFile(folder / magic, folder / "same.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
    EXPECT_EQ(readBytes(folder / track), readBytes(folder / "same.dat"));
    EXPECT_EQ(readBytes(folder / backup), original);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{magic, backup, track, "same.dat"}));
}

TEST(InsertCommandTest, RefusalsAndFailuresExitOneAndChangeNothing) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> track;
        std::string magic;
        std::vector<std::string> arguments;
        bool locked;
        int exitCode;
        std::string errStart;
    };
    const auto good = testing::trackWithArea({});
    const std::string error = "Error: ";
    const Case cases[] = {
        {"MissingMagicFile",
         good,
         Magic,
         {"insert", "t.dat", "missing.md2"},
         false,
         1,
         error + text::fileNotFound("missing.md2") + "\n"},
        {"NotAMagicFile",
         good,
         "[bumptable]\r\n",
         {"insert", "t.dat", "m.md2", "--backup"},
         false,
         1,
         error + std::string(text::NotAMagicFile) + "\n"},
        {"NotATrackFile",
         testing::trackOf(500, 100, 470),
         Magic,
         {"insert", "t.dat", "m.md2", "--backup"},
         false,
         1,
         error + std::string(text::NotATrackFile) + "\n"},
        {"UnwritableTrack",
         good,
         Magic,
         {"insert", "t.dat", "m.md2"},
         true,
         1,
         "Error: File access denied\n"},
        {"MissingArgument", good, Magic, {"insert", "t.dat"}, false, 2, ""},
        {"ExtraArgument", good, Magic, {"insert", "t.dat", "m.md2", "x"}, false, 2, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        TempFolder tmp;
        folder.write("t.dat", c.track);
        folder.write("m.md2", c.magic);
        testing::ProcessResult result;
        {
            std::optional<testing::UnwritableFile> locked;
            if (c.locked) {
                locked.emplace(folder / "t.dat");
            }
            result = cli(folder, tmp, c.arguments);
        }
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
        EXPECT_EQ(result.err.substr(0, c.errStart.size()), c.errStart) << c.name;
        EXPECT_EQ(readBytes(folder / "t.dat"), c.track) << c.name;
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "t.dat"})) << c.name;
        EXPECT_TRUE(tmp.fileNames().empty()) << c.name;
    }
}

} // namespace
} // namespace vantor
