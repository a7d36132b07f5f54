#include "magic_file.hpp"
#include "magic_text_fixture.hpp"
#include "run_cli.hpp"
#include "temp_folder.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"
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

struct SetCase {
    const char* assignment;
    int number;
    std::int32_t value;
};

// One value of each encoding, at the edges of their ranges.
const SetCase InRange[] = {{"1=-151", 1, -151},
                           {"33=104", 33, 104},
                           {"36=255", 36, 255},
                           {"40=65535", 40, 65535},
                           {"25=-2147483648", 25, INT32_MIN},
                           {"90=$7FFFFFFF", 90, INT32_MAX}};
const char* const OutOfRange[] = {"7=120", "1=-152", "35=256", "130=-1", "40=65536", "25=2147483648"};

TEST(SetCommandTest, EditsAMagicDataFileInPlaceInEachEncoding) {
    TempFolder folder;
    const std::string original = testing::magicText({{1, "0         ; grip  "}, {40, "0 ; x;y"}}, {"1,2"});
    for (const SetCase& c : InRange) {
        folder.write("car.md2", original);
        const auto result = runCli(folder, {"set", "car.md2", c.assignment});
        ASSERT_EQ(result.exitCode, 0) << c.assignment << result.err;
        const MagicCompilation compiled = compileMagicText(readBytes(folder / "car.md2"));
        EXPECT_EQ(bareBlockOf(compiled.markedBlock).value(c.number), c.value) << c.assignment;
        // Only the number changed: the line's other bytes and every other line are as they were.
        std::string expected = original;
        std::size_t at = 0;
        for (int line = 1; line < c.number + 2; ++line) {
            at = expected.find("\r\n", at) + 2;
        }
        expected.replace(at, 1, std::to_string(c.value));
        EXPECT_EQ(readBytes(folder / "car.md2"), bytesOf(expected)) << c.assignment;
    }
}

TEST(SetCommandTest, ChangesATracksBlockAsAnInsertionWould) {
    TempFolder folder;
    folder.write("monza.dat", testing::trackWithArea(testing::blockWithEntries(3, 5).markedForm()));
    std::vector<std::string> arguments = {"set", "monza.dat"};
    for (const SetCase& c : InRange) {
        arguments.push_back(c.assignment);
    }
    const auto result = runCli(folder, arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto contents = readBytes(folder / "monza.dat");
    const MagicBlock block = customMagicBlock(contents);
    for (const SetCase& c : InRange) {
        EXPECT_EQ(block.value(c.number), c.value) << c.assignment;
    }
    EXPECT_EQ(block.value(2), 7) << "values not named stay";
    EXPECT_EQ(storedTrackChecksum(contents), computeTrackChecksum(contents));
}

TEST(SetCommandTest, AValueOutsideItsRangeIsRefusedAndNothingChanges) {
    TempFolder folder;
    const auto track = testing::trackWithArea(testing::blockWithEntries(3, 5).markedForm());
    const std::string magic = testing::magicText({});
    folder.write("monza.dat", track);
    folder.write("car.md2", magic);
    for (const char* assignment : OutOfRange) {
        for (const char* target : {"monza.dat", "car.md2"}) {
            const auto result = runCli(folder, {"set", target, "2=5", assignment});
            EXPECT_EQ(result.exitCode, 1) << target << " " << assignment;
            EXPECT_TRUE(result.err.starts_with(std::string("Error: ") + target + ": value ")) << result.err;
        }
    }
    EXPECT_EQ(runCli(folder, {"set", "car.md2", "7=120"}).err,
              "Error: car.md2: value 7 = 120 is outside -151 to 104, the range of a biased byte\n");
    EXPECT_EQ(readBytes(folder / "monza.dat"), track);
    EXPECT_EQ(readBytes(folder / "car.md2"), bytesOf(magic));
}

TEST(SetCommandTest, BumpTableFromATextFile) {
    TempFolder folder;
    folder.write("monza.dat", testing::trackWithArea(testing::blockWithEntries(3, 5).markedForm()));
    folder.write("car.md2", testing::magicText({}, {"9,9"}));
    folder.write("bumps.txt", "1200,37\n0,0\n40,2\n");
    folder.write("bad.txt", "1200,37\n65535,0\n");
    ASSERT_EQ(runCli(folder, {"set", "monza.dat", "--bump-table", "bumps.txt"}).exitCode, 0);
    const MagicBlock block = customMagicBlock(readBytes(folder / "monza.dat"));
    ASSERT_EQ(block.bumpEntryCount(), 3u);
    EXPECT_EQ(block.bumpEntry(0), (BumpEntry{1200, 37}));
    EXPECT_EQ(block.value(1), 6) << "values stay";

    ASSERT_EQ(runCli(folder, {"set", "car.md2", "3=4", "--bump-table", "bumps.txt"}).exitCode, 0);
    EXPECT_EQ(readBytes(folder / "car.md2"),
              bytesOf(testing::magicText({{3, "4         ; "}}, {"1200,37", "0,0", "40,2"})));

    const auto refused = runCli(folder, {"set", "car.md2", "--bump-table", "bad.txt"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err,
              "Error: bad.txt: line 2 \"65535,0\" is not FIRST,SECOND with two whole numbers from 0 to "
              "65534\n");
}

TEST(SetCommandTest, UsageErrors) {
    TempFolder folder;
    folder.write("car.md2", testing::magicText({}));
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"set", "car.md2"},
                                                      {"set", "car.md2", "7"},
                                                      {"set", "car.md2", "131=1"},
                                                      {"set", "car.md2", "7=abc"},
                                                      {"set", "KX7_2000.EXE@5", "7=1"}}) {
        EXPECT_EQ(runCli(folder, arguments).exitCode, 2) << arguments.back();
    }
    EXPECT_EQ(readBytes(folder / "car.md2"), bytesOf(testing::magicText({})));
}

} // namespace
} // namespace vantor
