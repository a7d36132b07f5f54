#include "game_executable.hpp"
#include "magic_file.hpp"
#include "run_cli.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::readBytes;
using testing::runCli;
using testing::TempFolder;

TEST(BatchCommandsTest, ExtractWritesOneMagicDataFilePerTrackIntoANewFolder) {
    TempFolder folder;
    folder.write("monza.dat", testing::trackWithArea(testing::blockWithEntries(2, 1).markedForm()));
    folder.write("spa.DAT", testing::trackWithArea(testing::blockWithEntries(4, 2).markedForm()));
    const auto result = runCli(folder, {"extract", "monza.dat", "spa.DAT", "--output-dir", "out/new"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readBytes(folder / "out/new/monza.md2"),
              bytesOf(formatMagicFile(testing::blockWithEntries(2, 1), Descriptions{})));
    EXPECT_EQ(readBytes(folder / "out/new/spa.md2"),
              bytesOf(formatMagicFile(testing::blockWithEntries(4, 2), Descriptions{})));
}

TEST(BatchCommandsTest, ExtractRefusesTwoTracksOfOneNameBeforeWritingAnything) {
    TempFolder folder;
    folder.write("monza.dat", testing::trackWithArea(testing::blockWithEntries(2, 1).markedForm()));
    std::filesystem::create_directory(folder / "old");
    folder.write("old/monza.dat", testing::trackWithArea(testing::blockWithEntries(2, 3).markedForm()));
    const auto result = runCli(folder, {"extract", "monza.dat", "old/monza.dat", "--output-dir", "out"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("old/monza.dat: another track of the same name"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(BatchCommandsTest, StockAllWritesTheSeventeenUsualNames) {
    TempFolder folder;
    testing::writeStockExecutable(folder / "KX7_2000.EXE");
    const auto result = runCli(folder, {"stock", "KX7_2000.EXE", "all", "--output-dir", "stock"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> names;
    for (int track = 1; track <= ExeTrackCount; ++track) {
        names.push_back(stockFileName(track));
        EXPECT_EQ(readBytes(folder / "stock" / stockFileName(track)),
                  bytesOf(formatMagicFile(ReadStockBlock(folder / "KX7_2000.EXE", track), Descriptions{})));
    }
    TempFolder here;
    testing::writeStockExecutable(here / "KX7_2000.EXE");
    ASSERT_EQ(runCli(here, {"stock", "KX7_2000.EXE", "all"}).exitCode, 0);
    names.insert(names.begin(), "KX7_2000.EXE");
    EXPECT_EQ(here.fileNames(), names);
    EXPECT_EQ(runCli(here, {"stock", "KX7_2000.EXE", "all", "x.md2"}).exitCode, 2);
}

TEST(BatchCommandsTest, ChecksumOfSeveralTracksNamesEach) {
    TempFolder folder;
    folder.write("a.dat", testing::trackOf(100, 10, 10));
    auto wrong = testing::trackOf(100, 10, 10);
    wrong.back() ^= 1;
    folder.write("b.dat", wrong);
    const auto result = runCli(folder, {"checksum", "a.dat", "b.dat"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.starts_with("a.dat:\nstored:   ")) << result.out;
    EXPECT_NE(result.out.find("\nb.dat:\nstored:   "), std::string::npos);
}

TEST(BatchCommandsTest, AnUnknownCommandIsNamed) {
    TempFolder folder;
    const auto result = runCli(folder, {"--settings", "x.ini", "shwo", "a.dat"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err,
              "vantor2000-cli: unknown command \"shwo\"; run vantor2000-cli --help for the commands.\n");
}

} // namespace
} // namespace vantor
