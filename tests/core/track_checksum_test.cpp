#include "track_checksum.hpp"

#include "file_system.hpp"
#include "little_endian.hpp"
#include "temp_folder.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::readBytes;
using testing::TempFolder;

TEST(TrackChecksumTest, RotatesWithinSixteenBits) {
    EXPECT_EQ(RotateLeft16(0x0061, 3), 0x0308);
    EXPECT_EQ(RotateLeft16(0xE001, 3), 0x000F);
    EXPECT_EQ(RotateLeft16(0x8000, 1), 0x0001);
    EXPECT_EQ(RotateLeft16(0x1234, 0), 0x1234);
}

// A reference that follows the definition byte for byte, to hold the fast loop against.
TrackChecksum definitionChecksum(const std::vector<std::uint8_t>& contents) {
    TrackChecksum sum;
    for (std::size_t i = 0; i + 4 < contents.size(); ++i) {
        sum.byteSum = static_cast<std::uint16_t>(sum.byteSum + contents[i]);
        sum.rotatingSum = static_cast<std::uint16_t>(RotateLeft16(sum.rotatingSum, 3) + contents[i]);
    }
    return sum;
}

TEST(TrackChecksumTest, ComputesTheWorkedExampleAndWrapsAround) {
    EXPECT_EQ(computeTrackChecksum(bytesOf(std::string_view("abc\0\0\0\0", 7))),
              (TrackChecksum{0x0126, 0x1BB3}));
    EXPECT_EQ(computeTrackChecksum(bytesOf("Zxxxx")), (TrackChecksum{'Z', 'Z'}));

    // 300 bytes of FF pass 65535 in the byte sum; the rotating sum carries out of bit 15.
    std::vector<std::uint8_t> large(300, 0xFF);
    for (std::size_t i = 0; i < large.size(); i += 7) {
        large[i] = static_cast<std::uint8_t>(i);
    }
    EXPECT_EQ(computeTrackChecksum(large), definitionChecksum(large));
    EXPECT_EQ(computeTrackChecksum(std::vector<std::uint8_t>(264, 0xFF)).byteSum,
              static_cast<std::uint16_t>(260 * 255));
}

TEST(TrackChecksumTest, ReadingAFileInChunksGivesTheSumsOfItsWholeContents) {
    TempFolder folder;
    // Lengths around the chunk size show a byte lost or summed twice at a chunk's edge.
    for (const std::size_t length : {std::size_t{5}, FileChunkSize + 3, FileChunkSize + 4, FileChunkSize + 5,
                                     2 * FileChunkSize + 1001}) {
        std::vector<std::uint8_t> contents(length);
        for (std::size_t i = 0; i < length; ++i) {
            contents[i] = static_cast<std::uint8_t>(i * 31 + i / 4099);
        }
        const auto track = folder.write("t.dat", contents);
        const TrackFileChecksums read = readTrackChecksums(track);
        EXPECT_EQ(read.length, length);
        EXPECT_EQ(read.computed, definitionChecksum(contents)) << length;
        EXPECT_EQ(read.stored, storedTrackChecksum(contents)) << length;
    }
    EXPECT_EQ(readTrackChecksums(folder.write("short.dat", std::string("abcd"))).length, 4u);
}

TEST(TrackChecksumTest, RenewsTheChecksumOfATrackLongerThanAChunk) {
    TempFolder folder;
    std::vector<std::uint8_t> contents(2 * FileChunkSize + 7);
    for (std::size_t i = 0; i < contents.size(); ++i) {
        contents[i] = static_cast<std::uint8_t>(i * 13 + i / 509);
    }
    const auto track = folder.write("t.dat", contents);
    ASSERT_TRUE(WriteTrackChecksum(track));
    const TrackChecksum expected = definitionChecksum(contents);
    writeU16(contents, contents.size() - 4, expected.byteSum);
    writeU16(contents, contents.size() - 2, expected.rotatingSum);
    EXPECT_EQ(readBytes(track), contents);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});
}

TEST(TrackChecksumTest, WritesTheLastFourBytesOnlyAndIsRepeatable) {
    TempFolder folder;
    const auto track = folder.write("t.dat", std::string("abc\x01\x02\x03\x04", 7));
    ASSERT_TRUE(WriteTrackChecksum(track));
    EXPECT_EQ(readBytes(track), (std::vector<std::uint8_t>{'a', 'b', 'c', 0x26, 0x01, 0xB3, 0x1B}));
    ASSERT_TRUE(WriteTrackChecksum(track));
    EXPECT_EQ(readBytes(track), (std::vector<std::uint8_t>{'a', 'b', 'c', 0x26, 0x01, 0xB3, 0x1B}));
}

TEST(TrackChecksumTest, RefusesShortOrMissingFilesUnchanged) {
    TempFolder folder;
    const auto shortTrack = folder.write("short.dat", std::string("abcd"));
    EXPECT_FALSE(WriteTrackChecksum(shortTrack));
    EXPECT_EQ(readBytes(shortTrack), bytesOf("abcd"));
    EXPECT_FALSE(WriteTrackChecksum(folder / "missing.dat"));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"short.dat"});
}

TEST(TrackChecksumTest, RefusesAReadOnlyFileUnchanged) {
    TempFolder folder;
    const auto track = folder.write("t.dat", std::string("abc\0\0\0\0", 7));
    const testing::UnwritableFile readOnly(track);
    EXPECT_FALSE(WriteTrackChecksum(track));
    EXPECT_EQ(readBytes(track), bytesOf(std::string_view("abc\0\0\0\0", 7)));
}

} // namespace
} // namespace vantor
