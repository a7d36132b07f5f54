#include "game_executable.hpp"

#include "io_error.hpp"
#include "error_code_of.hpp"
#include "magic_file.hpp"
#include "recording_messages.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace vantor {
namespace {

using testing::errorCodeOf;
using testing::readBytes;
using testing::RecordingMessages;
using testing::stockBytes;
using testing::StockRanges;
using testing::TempFolder;
using testing::writeStockExecutable;

const std::string WrongSizeNote =
    "This file doesn't appear to be the right one.\r\n\r\nVantor only works with the "
    "decrypted KX7_2000.EXE\r\n(9150464 bytes).";

TEST(GameExecutableTest, EveryTracksStockFileHoldsItsRangeWithoutTheOddLastWord) {
    TempFolder folder;
    const auto exe = folder / "KX7_2000.EXE";
    writeStockExecutable(exe);
    for (const auto& range : StockRanges) {
        SCOPED_TRACE(range.track);
        const std::vector<std::uint8_t> expected = stockBytes(range);
        const MagicBlock block = ReadStockBlock(exe, range.track);
        EXPECT_EQ(block.bytes(), expected);
        EXPECT_EQ(block.bumpEntryCount(), range.bumpEntries);
        // Tracks 6 and 15 end on a whole entry; every other range has one word left over.
        const bool oddWord = range.track != 6 && range.track != 15;
        EXPECT_EQ(expected.size() - (ValueAreaSize + BumpEntrySize * range.bumpEntries), oddWord ? 2u : 0u);

        char name[32];
        std::snprintf(name, sizeof name, "magic2k_%02d.md2", range.track);
        ASSERT_EQ(stockFileName(range.track), name);
        WriteMagicFile(block, Descriptions{}, folder / name);
        // Compiled back, the file gives the value area and the whole entries alone: the odd word
        // was not printed as an entry of its own.
        const MagicCompilation compiled = compileMagicText(readBytes(folder / name));
        ASSERT_EQ(compiled.outcome, MagicCompilation::Outcome::Compiled);
        std::vector<std::uint8_t> marked(MagicMarker.begin(), MagicMarker.end());
        marked.insert(marked.end(), expected.begin(),
                      expected.begin() +
                          static_cast<std::ptrdiff_t>(ValueAreaSize + BumpEntrySize * range.bumpEntries));
        marked.insert(marked.end(), {0xFF, 0xFF});
        EXPECT_EQ(compiled.markedBlock, marked);
    }
}

TEST(GameExecutableTest, AnExecutableEndingInsideARangeReadsBeyondItsEnd) {
    TempFolder folder;
    const auto exe = folder / "KX7_2000.EXE";
    const auto& last = StockRanges.back();
    writeStockExecutable(exe, last.offset + 100);
    EXPECT_EQ(ReadStockBlock(exe, 16).bytes(), stockBytes(StockRanges[15]));
    try {
        ReadStockBlock(exe, 17);
        FAIL() << "read past the end";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), IoError::ReadBeyondEnd);
        EXPECT_STREQ(error.what(), "Read beyond end of file");
    }
    EXPECT_EQ(errorCodeOf([&] { ReadStockBlock(folder / "missing.exe", 1); }), IoError::FileNotFound);
}

TEST(GameExecutableTest, OnlyTheExpectedSizePassesTheCheckSilently) {
    TempFolder folder;
    struct Case {
        const char* name;
        std::uint64_t size;
        bool noted;
    };
    const Case cases[] = {
        {"expected size", testing::GameExeSize, false},
        {"one byte short", testing::GameExeSize - 1, true},
        {"one byte more", testing::GameExeSize + 1, true},
        {"empty", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto exe = folder / "KX7_2000.EXE";
        writeStockExecutable(exe, c.size);
        RecordingMessages messages;
        CheckExeSize(exe, messages);
        if (c.noted) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].first, MessageKind::Information);
            EXPECT_EQ(messages.shown[0].second, WrongSizeNote);
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
    }
    // A wrong size is a note only: the stock blocks still read.
    writeStockExecutable(folder / "big.exe", testing::GameExeSize + 1);
    EXPECT_EQ(ReadStockBlock(folder / "big.exe", 6).bytes(), stockBytes(StockRanges[5]));

    RecordingMessages messages;
    CheckExeSize(folder / "missing.exe", messages);
    CheckExeSize(folder.path(), messages);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(GameExecutableTest, TheExecutableIsOnlyRead) {
    TempFolder folder;
    const auto exe = folder / "KX7_2000.EXE";
    writeStockExecutable(exe, testing::GameExeSize + 2);
    using std::filesystem::perms;
    std::filesystem::permissions(exe, perms::owner_read | perms::group_read);
    const perms permissions = std::filesystem::status(exe).permissions();
    const std::vector<std::uint8_t> before = readBytes(exe);
    RecordingMessages messages;
    CheckExeSize(exe, messages);
    for (int track = 1; track <= ExeTrackCount; ++track) {
        ReadStockBlock(exe, track);
    }
    EXPECT_EQ(std::filesystem::status(exe).permissions(), permissions);
    EXPECT_EQ(readBytes(exe), before);

    // A file that cannot be opened for writing at all is still read.
    testing::UnwritableFile unwritable(exe);
    CheckExeSize(exe, messages);
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(ReadStockBlock(exe, 1).bytes(), stockBytes(StockRanges[0]));
}

} // namespace
} // namespace vantor
