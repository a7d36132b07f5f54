#include "info_block.hpp"

#include "file_size_limit.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "error_code_of.hpp"
#include "little_endian.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::errorCodeOf;
using testing::readBytes;
using testing::RecordingMessages;
using testing::TempFolder;

using Lines = std::vector<std::string>;

constexpr std::size_t HeaderSize = 16;

// A track file: a 16-byte header whose word at 8 points at the checksum (or holds word8), a zero
// byte, the block from the tag's '#' to the closing '#', and a valid checksum.
std::vector<std::uint8_t> trackWith(std::string_view block,
                                    std::optional<std::uint32_t> word8 = std::nullopt) {
    std::vector<std::uint8_t> bytes = bytesOf("TRK\x01head....tail");
    bytes.push_back(0);
    bytes.insert(bytes.end(), block.begin(), block.end());
    bytes.resize(bytes.size() + ChecksumSize);
    writeU32(bytes, 8, word8.value_or(static_cast<std::uint32_t>(bytes.size() - ChecksumSize)));
    renewTrackChecksum(bytes);
    return bytes;
}

InfoList listOf(const Lines& lines) {
    InfoList list;
    for (const auto& line : lines) {
        list.append(line);
    }
    return list;
}

TEST(InfoListTest, LookupIgnoresCaseAndSettingReplacesAppendsOrDeletes) {
    InfoList list = listOf({"Name=Alpha", "laps=5", "LAPS=6", "Note=a=b"});
    EXPECT_EQ(list.value("LAPS"), "5");
    EXPECT_EQ(list.value("note"), "a=b");
    EXPECT_EQ(list.value("Author"), "");
    EXPECT_TRUE(list.contains("NAME"));
    EXPECT_FALSE(list.contains("Nam"));

    list.setValue("Laps", "7");
    list.setValue("Author", "Kim");
    list.setValue("name", "");
    list.setValue("Country", "");
    EXPECT_EQ(list.lines(), (Lines{"Laps=7", "LAPS=6", "Note=a=b", "Author=Kim"}));
}

TEST(InfoBlockTest, ParsesPairsInFileOrder) {
    struct Case {
        const char* name;
        std::string block;
        Lines lines;
    };
    const Case cases[] = {
        {"two pairs", "#KX7INFO|Name|Alpha|Laps|53|#", {"Name=Alpha", "Laps=53"}},
        {"no pairs", "#KX7INFO|#", {}},
        {"unterminated last pair is lost", "#KX7INFO|Name|Alpha|Laps|53#", {"Name=Alpha"}},
        {"'=' in a value", "#KX7INFO|Name|a=b|#", {"Name=a=b"}},
        {"empty key and value", "#KX7INFO||||#", {"="}},
        {"the tag is not compared", "#ABCDEFG!Name|A|#", {"Name=A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto block = parseInfoBlock(trackWith(c.block));
        ASSERT_TRUE(block.has_value());
        EXPECT_EQ(block->list.lines(), c.lines);
        EXPECT_EQ(block->start, HeaderSize + 1);
    }
}

TEST(InfoBlockTest, TheBlockStartsAtTheLastZeroByteAndHashInFrontOfTheEnd) {
    // A zero byte and '#' inside the header come before the block's own.
    std::vector<std::uint8_t> bytes = trackWith("#KX7INFO|Name|A|#");
    bytes[4] = 0;
    bytes[5] = '#';
    renewTrackChecksum(bytes);
    const auto block = parseInfoBlock(bytes);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(block->start, HeaderSize + 1);
    EXPECT_EQ(block->list.lines(), Lines{"Name=A"});
}

TEST(InfoBlockTest, NoClosingHashMeansNoBlockAndBrokenFilesReadBeyondTheEnd) {
    EXPECT_FALSE(parseInfoBlock(trackWith("#KX7INFO|Name|A|")).has_value());
    // A '#' one byte too early does not close the block.
    EXPECT_FALSE(parseInfoBlock(bytesOf(std::string_view("\x00#KX7INFO|#abcdx", 16))).has_value());

    struct Case {
        const char* name;
        std::vector<std::uint8_t> contents;
    };
    const Case cases[] = {
        {"shorter than 5 bytes", bytesOf("#abc")},
        {"exactly the closing '#' and a checksum", bytesOf("#abcd")},
        {"no zero byte before a '#'", bytesOf("xx#KX7INFO|Name|A|#abcd")},
        {"tag runs into the checksum", bytesOf(std::string_view("ab\x00##abcd", 9))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorCodeOf([&] { parseInfoBlock(c.contents); }), IoError::ReadBeyondEnd) << c.name;
    }
}

TEST(InfoBlockTest, WritingAnUnchangedListGivesTheSameBytes) {
    const std::vector<std::uint8_t> original = trackWith("#KX7INFO|Name|Alpha|Laps|53|Note|x=y|Odd||#");
    const auto block = parseInfoBlock(original);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(withInfoBlock(original, block->list, block->start), original);
}

TEST(InfoBlockTest, NamesDifferingInCaseAreWrittenWithTheFirstValue) {
    const std::vector<std::uint8_t> original = trackWith("#KX7INFO|Name|A|name|B|#");
    const auto block = parseInfoBlock(original);
    ASSERT_TRUE(block.has_value());
    EXPECT_EQ(withInfoBlock(original, block->list, block->start), trackWith("#KX7INFO|Name|A|name|A|#"));
}

TEST(InfoBlockTest, ANewLengthMovesTheChecksumAndTheHeaderWordThatFollowedIt) {
    const std::string shortBlock = "#KX7INFO|Laps|5|#";
    const std::string longBlock = "#KX7INFO|Laps|5|Name|A long track name|#";
    struct Case {
        const char* name;
        std::string before;
        std::optional<std::uint32_t> word8;
        Lines lines;
        std::string after;
        bool wordFollows;
    };
    const Case cases[] = {
        {"longer", shortBlock, std::nullopt, {"Laps=5", "Name=A long track name"}, longBlock, true},
        {"shorter", longBlock, std::nullopt, {"Laps=5"}, shortBlock, true},
        {"word elsewhere stays",
         shortBlock,
         0x01020304u,
         {"Laps=5", "Name=A long track name"},
         longBlock,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint8_t> original = trackWith(c.before, c.word8);
        const std::vector<std::uint8_t> written = withInfoBlock(original, listOf(c.lines), HeaderSize + 1);
        // Everything is as a track built around the new block would be, the header word aside.
        std::vector<std::uint8_t> expected = trackWith(c.after, c.wordFollows ? std::nullopt : c.word8);
        EXPECT_EQ(written, expected);
        EXPECT_EQ(storedTrackChecksum(written), computeTrackChecksum(written));
        EXPECT_EQ(readU32(written, 8), c.wordFollows ? written.size() - ChecksumSize : *c.word8);
    }
}

TEST(InfoBlockTest, AHeaderWordInsideTheBlockIsNotTouched) {
    // The block starts at offset 5, so offset 8 lies in the tag (never compared), here holding the
    // old length - 4: it is block text and is written as such.
    std::vector<std::uint8_t> original = bytesOf(std::string_view("abcd\x00#KX\x0F\x00\x00\x00O|#....", 19));
    ASSERT_EQ(readU32(original, 8), original.size() - ChecksumSize);
    renewTrackChecksum(original);
    std::vector<std::uint8_t> expected = bytesOf(std::string_view("abcd\x00#KX7INFO|A|1|#....", 23));
    renewTrackChecksum(expected);
    EXPECT_EQ(withInfoBlock(original, listOf({"A=1"}), 5), expected);
}

TEST(InfoBlockTest, ABlockStartThatDoesNotFitOrABreakingTextIsRefused) {
    const std::vector<std::uint8_t> original = trackWith("#KX7INFO|Name|A|#");
    EXPECT_EQ(errorCodeOf([&] { withInfoBlock(original, InfoList{}, original.size() - 4); }),
              IoError::ReadBeyondEnd);
    EXPECT_EQ(errorCodeOf([&] { withInfoBlock(original, InfoList{}, original.size() + 10); }),
              IoError::ReadBeyondEnd);
    for (const char* line : {"Laps=5|x", "Laps=5#", "La|ps=5", "#=1"}) {
        EXPECT_THROW(withInfoBlock(original, listOf({line}), HeaderSize + 1), std::invalid_argument) << line;
    }
}

TEST(InfoBlockFileTest, ReadAndWriteATrackFile) {
    TempFolder folder;
    const auto track = folder.write("t.dat", trackWith("#KX7INFO|Name|Alpha|Laps|53|#"));
    InfoList list = listOf({"Kept=1"});
    std::uint64_t start = 0;
    ASSERT_TRUE(ReadKX7Info(track, list, start));
    EXPECT_EQ(list.lines(), (Lines{"Kept=1", "Name=Alpha", "Laps=53"}));
    EXPECT_EQ(start, HeaderSize + 1);

    RecordingMessages messages;
    ASSERT_TRUE(WriteKX7Info(track, listOf({"Name=Alpha", "Laps=53"}), listOf({"Laps=7"}), messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(readBytes(track), trackWith("#KX7INFO|Laps|7|#"));
    EXPECT_EQ(folder.fileNames(), Lines{"t.dat"});
}

// Tracks longer than the chunks in which a save rewrites them.
TEST(InfoBlockFileTest, TheBlockIsFoundAndSavedBehindALongTrack) {
    const std::size_t front = 2 * FileChunkSize + 3;
    const std::string author = "#KX7INFO|Author|";
    struct Case {
        const char* name;
        std::string block;
        bool zeroInFront;
        Lines lines;
    };
    const Case cases[] = {
        {"ShortBlock", "#KX7INFO|Name|Alpha|#", true, {"Name=Alpha"}},
        // The first piece read from the end holds the tag's '#' but not the zero byte in front.
        {"TagAtTheFirstPiecesEdge",
         author + std::string(4074, 'a') + "|#",
         true,
         {"Author=" + std::string(4074, 'a')}},
        {"BlockLongerThanTheFirstPiece",
         author + std::string(20000, 'b') + "|#",
         true,
         {"Author=" + std::string(20000, 'b')}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        std::vector<std::uint8_t> bytes(front, 'x');
        bytes.push_back(0);
        bytes.insert(bytes.end(), c.block.begin(), c.block.end());
        bytes.resize(bytes.size() + ChecksumSize);
        const auto track = folder.write("t.dat", bytes);
        InfoList list;
        std::uint64_t start = 0;
        ASSERT_TRUE(ReadKX7Info(track, list, start)) << c.name;
        EXPECT_EQ(list.lines(), c.lines) << c.name;
        EXPECT_EQ(start, front + 1) << c.name;

        RecordingMessages messages;
        ASSERT_TRUE(WriteKX7Info(track, list, listOf({"Laps=7"}), messages)) << c.name;
        bytes.resize(front + 1);
        const std::string saved = "#KX7INFO|Laps|7|#";
        bytes.insert(bytes.end(), saved.begin(), saved.end());
        bytes.resize(bytes.size() + ChecksumSize);
        renewTrackChecksum(bytes);
        EXPECT_EQ(readBytes(track), bytes) << c.name;
    }

    // A closing '#' with no zero byte and '#' anywhere in front of it.
    TempFolder folder;
    std::vector<std::uint8_t> noTag(front, 'x');
    noTag.push_back('#');
    noTag.resize(noTag.size() + ChecksumSize);
    const auto track = folder.write("t.dat", noTag);
    InfoList list;
    std::uint64_t start = 0;
    EXPECT_EQ(errorCodeOf([&] { ReadKX7Info(track, list, start); }), IoError::ReadBeyondEnd);
}

TEST(InfoBlockFileTest, MissingFilesAndTracksWithoutABlockChangeNothing) {
    TempFolder folder;
    const auto plain = folder.write("plain.dat", trackWith("no block here"));
    InfoList list = listOf({"Kept=1"});
    std::uint64_t start = 42;
    EXPECT_FALSE(ReadKX7Info(plain, list, start));
    EXPECT_FALSE(ReadKX7Info(folder / "missing.dat", list, start));
    EXPECT_EQ(list.lines(), Lines{"Kept=1"});
    EXPECT_EQ(start, 42u);
    RecordingMessages messages;
    EXPECT_FALSE(WriteKX7Info(folder / "missing.dat", list, list, messages));
    EXPECT_EQ(messages.shown,
              (decltype(messages.shown){{MessageKind::Error, std::string(text::FileNotFound)}}));
    EXPECT_EQ(folder.fileNames(), Lines{"plain.dat"});
}

TEST(InfoBlockFileTest, AFailedSaveLeavesTheTrackAsItWas) {
    TempFolder folder;
    const std::vector<std::uint8_t> original = trackWith("#KX7INFO|Name|Alpha|Laps|53|#");
    const auto track = folder.write("t.dat", original);
    const InfoList read = listOf({"Name=Alpha", "Laps=53"});
    const InfoList longer = listOf({"Name=Alpha", "Laps=53", "Author=" + std::string(200, 'a')});
    RecordingMessages messages;

    EXPECT_EQ(errorCodeOf([&] {
                  testing::FileSizeLimit limit(original.size() + 10);
                  WriteKX7Info(track, read, longer, messages);
              }),
              IoError::DiskFull);
    EXPECT_EQ(readBytes(track), original);

    EXPECT_THROW(WriteKX7Info(track, read, listOf({"Laps=5|x"}), messages), std::invalid_argument);
    EXPECT_EQ(readBytes(track), original);
    EXPECT_EQ(folder.fileNames(), Lines{"t.dat"});
}

// Another dialog or command saved (or removed) the block between this read and this save: writing
// would silently undo that change, so nothing is written.
TEST(InfoBlockFileTest, ASaveWhoseBlockChangedSinceItWasReadIsRefused) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> rewritten;
    };
    const Case cases[] = {
        {"AnotherSave", trackWith("#KX7INFO|Name|Alpha|Laps|9|#")},
        {"BlockRemoved", trackWith("no block any more")},
        // A closing '#' with no zero byte and '#' in front: no block can be found.
        {"BlockBroken", trackWith("x#")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto track = folder.write("t.dat", trackWith("#KX7INFO|Name|Alpha|Laps|53|#"));
        InfoList list;
        std::uint64_t start = 0;
        ASSERT_TRUE(ReadKX7Info(track, list, start));
        const InfoList read = list;
        folder.write("t.dat", c.rewritten);

        list.setValue("Laps", "7");
        RecordingMessages messages;
        EXPECT_FALSE(WriteKX7Info(track, read, list, messages));
        EXPECT_EQ(messages.shown,
                  (decltype(messages.shown){{MessageKind::Error, std::string(text::InfoBlockChanged)}}));
        EXPECT_EQ(readBytes(track), c.rewritten);
        EXPECT_EQ(folder.fileNames(), Lines{"t.dat"});
    }
}

// An insertion moves the block along with the tail; the block itself is the one that was read, so
// the save goes to where it now stands and the inserted data stays.
TEST(InfoBlockFileTest, ASaveAfterAnInsertionMovedTheBlockKeepsBoth) {
    TempFolder folder;
    const auto track = folder.write(
        "t.dat", testing::trackWithAreaAndInfoBlock(testing::filler(20, 2), "#KX7INFO|Name|Alpha|Laps|53|#"));
    InfoList list;
    std::uint64_t start = 0;
    ASSERT_TRUE(ReadKX7Info(track, list, start));
    const InfoList read = list;

    const std::vector<std::uint8_t> marked = testing::blockWithEntries(5, 8).markedForm();
    RecordingMessages messages;
    ASSERT_EQ(InsertMagicBlock(marked, track, BackupChoice::None, messages), InsertResult::Inserted);

    list.setValue("Laps", "7");
    ASSERT_TRUE(WriteKX7Info(track, read, list, messages));
    const auto saved = readBytes(track);
    EXPECT_EQ(parseInfoBlock(saved)->list.lines(), (Lines{"Name=Alpha", "Laps=7"}));
    // The custom block: the marked block without its marker.
    EXPECT_EQ(customMagicBlock(saved).bytes(), std::vector<std::uint8_t>(marked.begin() + 4, marked.end()));
    EXPECT_EQ(storedTrackChecksum(saved), computeTrackChecksum(saved));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(InfoBlockFileTest, AnUnwritableTrackIsReadButNotWritten) {
    TempFolder folder;
    const std::vector<std::uint8_t> original = trackWith("#KX7INFO|Name|Alpha|#");
    const auto track = folder.write("t.dat", original);
    testing::UnwritableFile unwritable(track);
    const auto permissions = std::filesystem::status(track).permissions();
    InfoList list;
    std::uint64_t start = 0;
    ASSERT_TRUE(ReadKX7Info(track, list, start));
    EXPECT_EQ(list.lines(), Lines{"Name=Alpha"});
    EXPECT_EQ(std::filesystem::status(track).permissions(), permissions);

    RecordingMessages messages;
    EXPECT_EQ(errorCodeOf([&] { WriteKX7Info(track, list, listOf({"Name=Beta"}), messages); }),
              IoError::FileAccessDenied);
    EXPECT_EQ(readBytes(track), original);
}

} // namespace
} // namespace vantor
