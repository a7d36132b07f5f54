#include "info_command.hpp"

#include "run_cli.hpp"
#include "temp_folder.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::readBytes;
using testing::runCli;
using testing::TempFolder;
using testing::trackWithInfoBlock;

const std::string Block = "#KX7INFO|Name|Alpha|Laps|53|Split1|0x0040|Split2|2A|#";

TEST(InfoCommandTest, PrintsTheLinesInFileOrder) {
    TempFolder folder;
    const auto track = folder.write("t.dat", trackWithInfoBlock(Block));
    const auto result = runCli(folder, {"info", "t.dat"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Name=Alpha\nLaps=53\nSplit1=0x0040\nSplit2=2A\n");
    EXPECT_EQ(readBytes(track), trackWithInfoBlock(Block));
}

TEST(InfoCommandTest, SavesTheChangedFieldsAsTheDialogDoes) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string block;
    };
    const Case cases[] = {
        {"laps and a negative split point",
         {"--laps", "12", "--split1", "-1"},
         "#KX7INFO|Name|Alpha|Laps|12|Split1|0xFFFFFFFF|Split2|0x002A|#"},
        {"empty laps removes the pair", {"--laps", ""}, "#KX7INFO|Name|Alpha|Split1|0x0040|Split2|0x002A|#"},
        {"a split point that is no integer",
         {"--split2", "40 "},
         "#KX7INFO|Name|Alpha|Laps|53|Split1|0|Split2|0|#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto track = folder.write("t.dat", trackWithInfoBlock(Block));
        std::vector<std::string> arguments = {"info", "t.dat"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const auto result = runCli(folder, arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(readBytes(track), trackWithInfoBlock(c.block));
    }
}

TEST(InfoCommandTest, MissingKeysAreAddedInOrder) {
    TempFolder folder;
    const auto track = folder.write("t.dat", trackWithInfoBlock("#KX7INFO|Name|Alpha|#"));
    const auto result = runCli(folder, {"info", "t.dat", "--split1", "$40"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(track),
              trackWithInfoBlock("#KX7INFO|Name|Alpha|Laps|0|Split1|0x0040|Split2|0x0000|#"));
}

TEST(InfoCommandTest, RefusalsLeaveTheTrackAlone) {
    TempFolder folder;
    const auto plain = folder.write("plain.dat", trackWithInfoBlock("no block"));
    const auto track = folder.write("t.dat", trackWithInfoBlock(Block));
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {{"info", "plain.dat"}, 1, "Vantor-2000: Track doesn't contain KX7info data\n"},
        {{"info", "plain.dat", "--laps", "3"}, 1, "Vantor-2000: Track doesn't contain KX7info data\n"},
        {{"info", "missing.dat"}, 1, "Error: missing.dat: File not found!\n"},
        {{"info", "t.dat", "--laps", "5|Name|Evil"}, 1, ""},
        {{"info"}, 2, ""},
        {{"info", "t.dat", "--laps"}, 2, ""},
    };
    for (const Case& c : cases) {
        const auto result = runCli(folder, c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.arguments);
        EXPECT_FALSE(result.err.empty());
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err);
        }
    }
    EXPECT_EQ(readBytes(plain), trackWithInfoBlock("no block"));
    EXPECT_EQ(readBytes(track), trackWithInfoBlock(Block));
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"plain.dat", "t.dat"}));
}

} // namespace
} // namespace vantor
