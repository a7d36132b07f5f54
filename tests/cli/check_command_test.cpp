#include "magic_text_fixture.hpp"
#include "run_cli.hpp"
#include "temp_folder.hpp"
#include "track_checksum.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

using testing::runCli;
using testing::TempFolder;

// The slips of a new user: "12abc" typed for value 20 and the line of value 60 deleted.
std::string slippedFile() {
    std::string text = testing::magicText({{20, "12abc     ; grip"}}, {"1200,37"});
    const std::string line60 = "0         ; \r\n";
    std::size_t at = 0;
    for (int line = 1; line < 62; ++line) {
        at = text.find("\r\n", at) + 2;
    }
    return text.erase(at, line60.size());
}

TEST(CheckCommandTest, MagicDataFileFindingsInTheCompilersForm) {
    TempFolder folder;
    folder.write("car.md2", slippedFile());
    const auto result = runCli(folder, {"check", "car.md2"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(
        result.out,
        "car.md2:22: error: value 20 \"12abc\" is read as 12: the compiler stops reading at \"abc\"\n"
        "car.md2:132: error: value 130 has no \";\" and is read as 0\n"
        "car.md2:133: error: \"[bumptable]\" should be on line 134, behind 130 value lines, but is on line "
        "133: 1 value line is missing, which shifts every later value up by 1 line; value 130 is read from "
        "a line that is no value line, and the first bump line is skipped\n");
}

TEST(CheckCommandTest, NotesAloneLeaveTheExitCodeAtZero) {
    TempFolder folder;
    const auto track = testing::trackWithArea(testing::blockWithEntries(2, 1).markedForm());
    folder.write("clean.md2", testing::magicText({}));
    folder.write("monza.dat", track);
    const auto result = runCli(folder, {"check", "clean.md2", "monza.dat"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string close = std::to_string(track.size() - 5);
    EXPECT_EQ(result.out, "monza.dat: note: no info block: there is no \"#\" at offset " + close +
                              ", in front of the checksum\n");
}

TEST(CheckCommandTest, JsonIsOneListOfFindingsWithLineOrOffset) {
    TempFolder folder;
    auto track = testing::trackWithArea(testing::blockWithEntries(2, 1).markedForm());
    track.back() ^= 1;
    folder.write("monza.dat", track);
    folder.write("car.md2", testing::magicText({{7, "120; \"quoted\\\""}}));
    const auto result = runCli(folder, {"check", "--json", "car.md2", "monza.dat"});
    EXPECT_EQ(result.exitCode, 1);
    const std::string l = std::to_string(track.size());
    EXPECT_EQ(
        result.out,
        "[{\"file\":\"car.md2\",\"line\":9,\"offset\":null,\"severity\":\"warning\",\"message\":\"value 7 = "
        "120 is outside -151 to 104, the range of a biased byte, and would be stored as -136\"},"
        "{\"file\":\"monza.dat\",\"line\":null,\"offset\":" +
            std::to_string(track.size() - 5) +
            ",\"severity\":\"note\",\"message\":\"no info block: there is no \\\"#\\\" at offset " +
            std::to_string(track.size() - 5) +
            ", in front of the checksum\"},"
            "{\"file\":\"monza.dat\",\"line\":null,\"offset\":" +
            std::to_string(track.size() - 4) + ",\"severity\":\"error\",\"message\":\"the stored checksum " +
            checksumText(storedTrackChecksum(track)) + " at offset " + std::to_string(track.size() - 4) +
            " differs from the computed " + checksumText(computeTrackChecksum(track)) + "\"}]\n");
}

TEST(CheckCommandTest, AFileThatCannotBeReadIsNamedAndTheOthersAreStillChecked) {
    TempFolder folder;
    folder.write("car.md2", testing::magicText({{7, "120; x"}}));
    const auto result = runCli(folder, {"check", "missing.md2", "car.md2"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err, "Error: missing.md2: File not found!\n");
    EXPECT_NE(result.out.find("car.md2:9: warning:"), std::string::npos);
}

} // namespace
} // namespace vantor
