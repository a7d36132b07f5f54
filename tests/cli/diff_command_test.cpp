#include "magic_file.hpp"
#include "run_cli.hpp"
#include "temp_folder.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

using testing::blockWithEntries;
using testing::runCli;
using testing::TempFolder;

class DiffCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        descriptions[6] = "Grip";
        WriteMagicFile(blockWithEntries(3, 5), descriptions, folder / "a.md2");
    }
    TempFolder folder;
    Descriptions descriptions;
};

TEST_F(DiffCommandTest, EqualSourcesPrintNothing) {
    folder.write("a.dat", testing::trackWithArea(blockWithEntries(3, 5).markedForm()));
    const auto result = runCli(folder, {"diff", "a.md2", "a.dat"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(
        runCli(folder, {"diff", "--json", "a.md2", "a.dat"}).out,
        "{\"a\":\"a.md2\",\"b\":\"a.dat\",\"values\":[],\"bump_table\":{\"a_entries\":3,\"b_entries\":3,"
        "\"differing\":[]}}\n");
}

TEST_F(DiffCommandTest, OneValueWithItsDescription) {
    MagicBlock b = blockWithEntries(3, 5);
    b.setValue(7, -100);
    folder.write("b.dat", testing::trackWithArea(b.markedForm()));
    const auto result = runCli(folder, {"diff", "a.md2", "b.dat"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "--- a.md2\n+++ b.dat\nvalue   7           12         -100  Grip\n");
    EXPECT_EQ(runCli(folder, {"diff", "a.md2", "b.dat", "--json"}).out,
              "{\"a\":\"a.md2\",\"b\":\"b.dat\",\"values\":[{\"number\":7,\"description\":\"Grip\",\"a\":12,"
              "\"b\":-100}"
              "],\"bump_table\":{\"a_entries\":3,\"b_entries\":3,\"differing\":[]}}\n");
}

TEST_F(DiffCommandTest, ALongerBumpTableShowsTheEntriesTheOtherLacks) {
    WriteMagicFile(blockWithEntries(5, 5), descriptions, folder / "b.md2");
    const MagicBlock longer = blockWithEntries(5, 5);
    const auto result = runCli(folder, {"diff", "a.md2", "b.md2"});
    EXPECT_EQ(result.exitCode, 1);
    const std::string entry4 = std::to_string(longer.bumpEntry(3).first) + ",4";
    const std::string entry5 = std::to_string(longer.bumpEntry(4).first) + ",5";
    EXPECT_EQ(result.out, "--- a.md2\n+++ b.md2\nbump table: 3 entries in a.md2, 5 in b.md2\n"
                          "entry   4         none  " +
                              std::string(11 - entry4.size(), ' ') + entry4 + "\nentry   5         none  " +
                              std::string(11 - entry5.size(), ' ') + entry5 + "\n");
    const auto json = runCli(folder, {"diff", "--json", "a.md2", "b.md2"});
    EXPECT_NE(json.out.find(
                  "\"bump_table\":{\"a_entries\":3,\"b_entries\":5,\"differing\":[{\"index\":3,\"a\":null,"
                  "\"b\":[" +
                  entry4 + "]},{\"index\":4,\"a\":null,\"b\":[" + entry5 + "]}]}"),
              std::string::npos)
        << json.out;
}

TEST_F(DiffCommandTest, TroubleIsExitCodeTwo) {
    const auto result = runCli(folder, {"diff", "a.md2", "missing.dat"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Error: missing.dat: File not found!\n");
    EXPECT_EQ(result.out, "");
}

} // namespace
} // namespace vantor
