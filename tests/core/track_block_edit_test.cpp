#include "track_block_edit.hpp"

#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace vantor {
namespace {

using testing::readBytes;

class TrackBlockEditTest : public ::testing::Test {
protected:
    std::filesystem::path customTrack() {
        return folder.write("monza.dat",
                            testing::trackWithArea(testing::blockWithEntries(3, 5).markedForm()));
    }
    testing::TempFolder folder;
    testing::RecordingMessages messages;
};

TEST_F(TrackBlockEditTest, ChangesOneValueInEachEncodingAndRenewsTheChecksum) {
    const auto track = customTrack();
    const std::vector<ValueChange> changes = {{1, -151}, {30, 104}, {35, 255}, {40, 65535}, {25, INT32_MIN}};
    ASSERT_EQ(SetTrackValues(track, changes, std::nullopt, messages), EditResult::Changed);
    const std::vector<std::uint8_t> contents = readBytes(track);
    MagicBlock expected = testing::blockWithEntries(3, 5);
    applyChanges(expected, changes);
    EXPECT_EQ(customMagicBlock(contents).markedForm(), expected.markedForm());
    EXPECT_EQ(storedTrackChecksum(contents), computeTrackChecksum(contents));
}

TEST_F(TrackBlockEditTest, ReplacesTheBumpTableAndMovesTheTail) {
    const auto track = customTrack();
    const std::vector<std::uint8_t> before = readBytes(track);
    const std::vector<BumpEntry> entries = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
    ASSERT_EQ(SetTrackValues(track, {}, entries, messages), EditResult::Changed);
    const std::vector<std::uint8_t> after = readBytes(track);
    const MagicBlock block = customMagicBlock(after);
    ASSERT_EQ(block.bumpEntryCount(), 5u);
    EXPECT_EQ(block.bumpEntry(4), (BumpEntry{9, 10}));
    EXPECT_EQ(after.size(), before.size() + 8);
    // The tail, less its checksum, moved whole.
    EXPECT_TRUE(std::equal(before.end() - 300, before.end() - 4, after.end() - 300));
}

TEST_F(TrackBlockEditTest, RefusalsLeaveTheTrackAsItWas) {
    const auto track = customTrack();
    const auto plain = folder.write("plain.dat", testing::trackOf(400, 100, 100));
    const std::vector<std::uint8_t> trackBefore = readBytes(track);
    const std::vector<std::uint8_t> plainBefore = readBytes(plain);
    const ValueChange outOfRange{35, 256};
    const ValueChange fine{35, 1};
    EXPECT_EQ(SetTrackValues(track, {&outOfRange, 1}, std::nullopt, messages), EditResult::Refused);
    EXPECT_EQ(SetTrackValues(plain, {&fine, 1}, std::nullopt, messages), EditResult::Refused);
    EXPECT_EQ(SetTrackValues(folder / "none.dat", {&fine, 1}, std::nullopt, messages),
              EditResult::FileNotFound);
    EXPECT_EQ(readBytes(track), trackBefore);
    EXPECT_EQ(readBytes(plain), plainBefore);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].second, "value 35 = 256 is outside 0 to 255, the range of a plain byte");
    EXPECT_EQ(messages.shown[1].second, text::NoCustomMagicData);
}

} // namespace
} // namespace vantor
