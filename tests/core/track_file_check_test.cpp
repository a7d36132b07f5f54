#include "track_file_check.hpp"

#include "little_endian.hpp"
#include "track_checksum.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace vantor {
namespace {

using testing::blockWithEntries;
using testing::trackWithArea;

// trackWithArea puts the magic data area at file offset 132.
constexpr std::uint64_t AreaStart = 132;

struct ExpectedFinding {
    std::uint64_t offset;
    Severity severity;
    std::string says;
};

struct TrackCase {
    const char* name;
    std::vector<std::uint8_t> track;
    std::vector<ExpectedFinding> expected;
};

// Ends the track's tail with an info block and renews the checksum.
std::vector<std::uint8_t> withInfoBlock(std::vector<std::uint8_t> track) {
    constexpr std::string_view Block{"\0#KX7INFO|name|Monza|#", 22};
    std::copy(Block.begin(), Block.end(),
              track.end() - static_cast<std::ptrdiff_t>(ChecksumSize + Block.size()));
    renewTrackChecksum(track);
    return track;
}

std::vector<std::uint8_t> customTrack() {
    return withInfoBlock(trackWithArea(blockWithEntries(3, 5).markedForm()));
}

std::vector<std::uint8_t> changed(std::vector<std::uint8_t> track, std::uint64_t offset, std::uint32_t word) {
    writeU32(track, offset, word);
    renewTrackChecksum(track);
    return track;
}

std::vector<TrackCase> trackCases() {
    const std::vector<std::uint8_t> clean = customTrack();
    const std::uint64_t length = clean.size();

    std::vector<std::uint8_t> badChecksum = clean;
    badChecksum.back() ^= 0x01;

    std::vector<std::uint8_t> endMarkAsBump = blockWithEntries(3, 5).markedForm();
    writeU16(endMarkAsBump, 4 + 260 + 4 + 2, 0xFFFF);

    std::vector<std::uint8_t> noEndMark = blockWithEntries(3, 5).markedForm();
    noEndMark.pop_back();
    noEndMark.pop_back();

    std::vector<std::uint8_t> unreadableInfo = trackWithArea(blockWithEntries(0, 5).markedForm());
    unreadableInfo[unreadableInfo.size() - 5] = '#';
    renewTrackChecksum(unreadableInfo);

    std::vector<std::uint8_t> tooShort = testing::filler(20, 3);
    renewTrackChecksum(tooShort);

    return {
        {"CustomBlockAndInfoBlockAreClean", clean, {}},
        {"TooShortForTheHeaderWords",
         tooShort,
         {{0, Severity::Error, "20 bytes long, too short for the 28 bytes of the track header"},
          {15, Severity::Note, "no info block"}}},
        {"NoInfoBlockIsANote",
         trackWithArea(blockWithEntries(3, 5).markedForm()),
         {{length - 5, Severity::Note, "no info block"}}},
        {"StoredChecksumDiffers", badChecksum, {{length - 4, Severity::Error, "differs from the computed"}}},
        {"AreaEndsBehindTheFile",
         changed(clean, 24, 0x7FFFFFF0),
         {{24, Severity::Error, "behind the end of the file"}}},
        {"AreaEndsInsideTheChecksum",
         changed(clean, 24, static_cast<std::uint32_t>(length - 32 - 2)),
         {{24, Severity::Error, "inside the checksum"}}},
        {"AreaStartsInsideTheChecksum",
         changed(changed(clean, 24, 0), 20, static_cast<std::uint32_t>(length - 32 - 3)),
         {{20, Severity::Error, "starts at offset " + std::to_string(length - 3)}}},
        {"BumpValueEqualToTheEndMark",
         withInfoBlock(trackWithArea(endMarkAsBump)),
         {{AreaStart + 4 + 260 + 6, Severity::Error, "bump entry 2 holds 65535"}}},
        {"CustomBlockWithoutEndMark",
         withInfoBlock(trackWithArea(noEndMark, 40)),
         {{AreaStart, Severity::Error, "has no end mark FFFF"}}},
        {"InfoBlockThatCannotBeRead",
         unreadableInfo,
         {{unreadableInfo.size() - 5, Severity::Error, "cannot be read: Read beyond end of file"}}},
    };
}

class TrackFileCheckTest : public ::testing::TestWithParam<TrackCase> {};

TEST_P(TrackFileCheckTest, FindsWhatWouldReadWrong) {
    const TrackCase& c = GetParam();
    const std::vector<Finding> findings = checkTrackContents(c.track, "monza.dat");
    ASSERT_EQ(findings.size(), c.expected.size()) << (findings.empty() ? "" : findings[0].message);
    for (std::size_t i = 0; i < findings.size(); ++i) {
        EXPECT_EQ(findings[i].file, "monza.dat");
        EXPECT_EQ(findings[i].line, std::nullopt);
        EXPECT_EQ(findings[i].offset, c.expected[i].offset) << findings[i].message;
        EXPECT_EQ(findings[i].severity, c.expected[i].severity);
        EXPECT_NE(findings[i].message.find(c.expected[i].says), std::string::npos) << findings[i].message;
        // The offset is in the text too, for a reader without the JSON.
        EXPECT_NE(findings[i].message.find(std::to_string(c.expected[i].offset)), std::string::npos)
            << findings[i].message;
    }
}

INSTANTIATE_TEST_SUITE_P(Tracks, TrackFileCheckTest, ::testing::ValuesIn(trackCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
} // namespace vantor
