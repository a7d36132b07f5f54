#include "game_executable.hpp"
#include "magic_file.hpp"
#include "run_cli.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

using testing::runCli;
using testing::TempFolder;

// Track 5's stock data, the same block written as a magic data file and inserted into a track.
class ShowCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeStockExecutable(folder / "KX7_2000.EXE");
        Descriptions descriptions;
        descriptions[0] = "Grip \"front\"";
        descriptions[129] = "Caf\xE9";
        WriteMagicFile(ReadStockBlock(folder / "KX7_2000.EXE", 5), descriptions, folder / "five.md2");
        folder.write("five.dat", testing::trackOf(400, 100, 100));
        ASSERT_EQ(runCli(folder, {"insert", "five.dat", "five.md2"}).exitCode, 0);
    }
    TempFolder folder;
};

std::string withoutSource(std::string json, const std::string& source) {
    const std::string field = "{\"source\":\"" + source + "\",";
    EXPECT_TRUE(json.starts_with(field)) << json.substr(0, 80);
    return json.erase(0, field.size());
}

TEST_F(ShowCommandTest, JsonOfATrackAMagicDataFileAndStockDataAgree) {
    const auto track = runCli(folder, {"show", "--json", "five.dat", "--descriptions", "five.md2"});
    const auto magic = runCli(folder, {"show", "five.md2", "--json"});
    const auto stock = runCli(folder, {"show", "KX7_2000.EXE@5", "--json", "--descriptions", "five.md2"});
    for (const auto* result : {&track, &magic, &stock}) {
        EXPECT_EQ(result->exitCode, 0) << result->err;
    }
    EXPECT_EQ(withoutSource(track.out, "five.dat"), withoutSource(magic.out, "five.md2"));
    EXPECT_EQ(withoutSource(stock.out, "KX7_2000.EXE@5"), withoutSource(magic.out, "five.md2"));
    const MagicBlock block = ReadStockBlock(folder / "KX7_2000.EXE", 5);
    EXPECT_NE(magic.out.find(
                  "\"values\":[{\"number\":1,\"description\":\"Grip \\\"front\\\"\",\"encoding\":\"biased "
                  "byte\",\"min\":-151,\"max\":104,\"value\":" +
                  std::to_string(block.value(1)) + "}"),
              std::string::npos);
    // The description's single byte E9 comes out as UTF-8.
    EXPECT_NE(magic.out.find("\"number\":130,\"description\":\"Caf\xC3\xA9\",\"encoding\":\"unsigned "
                             "16-bit\",\"min\":0,\"max\":65535"),
              std::string::npos);
    EXPECT_NE(magic.out.find("\"bump_table\":[[" + std::to_string(block.bumpEntry(0).first) + "," +
                             std::to_string(block.bumpEntry(0).second) + "],"),
              std::string::npos);
    EXPECT_TRUE(magic.out.ends_with("]]}\n"));
}

TEST_F(ShowCommandTest, TextIsATableAndSeveralSourcesAreShownInTurn) {
    const auto result = runCli(folder, {"show", "five.md2", "KX7_2000.EXE@5"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const MagicBlock block = ReadStockBlock(folder / "KX7_2000.EXE", 5);
    char row[128];
    std::snprintf(row, sizeof row, "%5d %11d  %-15s  %-24s  Grip \"front\"\n", 1, block.value(1),
                  "biased byte", "-151 to 104");
    EXPECT_NE(result.out.find(std::string("five.md2\n") + "value" + std::string(14, ' ')), std::string::npos);
    EXPECT_NE(result.out.find(row), std::string::npos) << result.out.substr(0, 300);
    EXPECT_NE(result.out.find("bump table: 12 entries\n"), std::string::npos);
    EXPECT_NE(result.out.find("\nKX7_2000.EXE@5\n"), std::string::npos);

    const auto json = runCli(folder, {"show", "--json", "five.md2", "five.dat"});
    EXPECT_TRUE(json.out.starts_with("[{\"source\":\"five.md2\""));
    EXPECT_NE(json.out.find("},{\"source\":\"five.dat\""), std::string::npos);
}

TEST_F(ShowCommandTest, EverySourceThatCannotBeShownIsNamed) {
    folder.write("plain.dat", testing::trackOf(400, 100, 100));
    const auto result = runCli(folder, {"show", "plain.dat", "gone.md2", "KX7_2000.EXE@18", "five.md2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "Error: plain.dat: This track file does NOT contain custom magic data!\n"
              "Error: gone.md2: File not found!\n"
              "Error: KX7_2000.EXE@18: track 18 has no stock data; EXE@N takes a track number N from "
              "1 to 17.\n");
    EXPECT_TRUE(result.out.starts_with("five.md2\n"));
}

} // namespace
} // namespace vantor
