#include "run_cli.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::readBytes;
using testing::runCli;
using testing::TempFolder;

const std::string Renewed("abc\x26\x01\xB3\x1B", 7);

TEST(ChecksumCommandTest, MatchingChecksumExitsZero) {
    TempFolder folder;
    folder.write("t.dat", Renewed);
    const auto result = runCli(folder, {"checksum", "t.dat"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "stored:   26 01 B3 1B\ncomputed: 26 01 B3 1B\n");
}

TEST(ChecksumCommandTest, DifferingChecksumExitsOneAndFixRenewsIt) {
    TempFolder folder;
    const auto track = folder.write("t.dat", std::string("abc\0\0\0\0", 7));
    const auto verify = runCli(folder, {"checksum", "t.dat"});
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_EQ(verify.out, "stored:   00 00 00 00\ncomputed: 26 01 B3 1B\n");
    EXPECT_FALSE(verify.err.empty());
    EXPECT_EQ(readBytes(track), bytesOf(std::string_view("abc\0\0\0\0", 7)));

    const auto fix = runCli(folder, {"checksum", "t.dat", "--fix"});
    EXPECT_EQ(fix.exitCode, 0) << fix.err;
    EXPECT_EQ(readBytes(track), bytesOf(Renewed));
}

TEST(ChecksumCommandTest, RefusalsAndUsageErrors) {
    TempFolder folder;
    folder.write("short.dat", std::string("abcd"));
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string err;
    };
    const Case cases[] = {
        {{"checksum", "missing.dat"}, 1, "Error: missing.dat: File not found!\n"},
        {{"checksum", "short.dat"}, 1, ""},
        {{"checksum"}, 2, ""},
        {{"frobnicate"}, 2, ""},
        {{}, 2, ""},
    };
    for (const Case& c : cases) {
        const auto result = runCli(folder, c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << ::testing::PrintToString(c.arguments);
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err);
        }
    }
    EXPECT_EQ(readBytes(folder / "short.dat"), bytesOf("abcd"));
}

} // namespace
} // namespace vantor
