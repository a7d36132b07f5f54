#include "stock_command.hpp"

#include "game_executable.hpp"
#include "magic_file.hpp"
#include "run_cli.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::readBytes;
using testing::runCli;
using testing::stockBytes;
using testing::StockRanges;
using testing::TempFolder;

// The magic data file that the desktop command writes for a track.
std::vector<std::uint8_t> stockFile(int track) {
    const std::string text = formatMagicFile(
        MagicBlock(stockBytes(StockRanges[static_cast<std::size_t>(track - 1)])), Descriptions{});
    return {text.begin(), text.end()};
}

TEST(StockCommandTest, TrackNumbersAreReadByTheStrictConversion) {
    TempFolder folder;
    testing::writeStockExecutable(folder / "KX7_2000.EXE");
    struct Case {
        std::string number;
        int track; // 0 when refused
    };
    const Case cases[] = {
        {"7", 7},  {"17", 17}, {" 5", 5},  {"$A", 10}, {"0x11", 17}, {"0", 0},
        {"18", 0}, {"-1", 0},  {"abc", 0}, {"", 0},    {"5 ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.number + "\"");
        const auto result = runCli(folder, {"stock", "KX7_2000.EXE", c.number});
        if (c.track == 0) {
            EXPECT_EQ(result.exitCode, 2);
            EXPECT_EQ(result.err, "Error: \"" + c.number +
                                      "\" is not a track number; NUMBER is a whole number from 1 to 17.\n");
            EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"KX7_2000.EXE"});
            continue;
        }
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const auto written = folder / stockFileName(c.track);
        EXPECT_EQ(readBytes(written), stockFile(c.track));
        std::filesystem::remove(written);
    }
}

TEST(StockCommandTest, WritesTheNamedOutputAndOverwritesAnEarlierFile) {
    TempFolder folder;
    testing::writeStockExecutable(folder / "game.exe");
    folder.write("out.md2", std::string("older contents"));
    const auto result = runCli(folder, {"stock", "game.exe", "6", "out.md2"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readBytes(folder / "out.md2"), stockFile(6));
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"game.exe", "out.md2"}));
}

TEST(StockCommandTest, FailuresWriteNothing) {
    TempFolder folder;
    testing::writeStockExecutable(folder / "short.exe", StockRanges.back().offset + 10);
    const auto beyond = runCli(folder, {"stock", "short.exe", "17"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_EQ(beyond.err, "Error: Read beyond end of file\n");
    const auto missing = runCli(folder, {"stock", "missing.exe", "1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Error: missing.exe: File not found!\n");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"short.exe"});
    EXPECT_EQ(runCli(folder, {"stock", "short.exe"}).exitCode, 2);
}

} // namespace
} // namespace vantor
