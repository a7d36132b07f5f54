#include "magic_block.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vantor {
namespace {

std::vector<std::uint8_t> zeroBlock(std::size_t size = ValueAreaSize) {
    return std::vector<std::uint8_t>(size, 0);
}

TEST(MagicBlockTest, EveryValueHasTheSlotOfTheLayout) {
    struct Case {
        int value;
        std::size_t offset;
        ValueEncoding encoding;
    };
    const Case cases[] = {
        {1, 0, ValueEncoding::BiasedByte},    {24, 23, ValueEncoding::BiasedByte},
        {25, 24, ValueEncoding::Signed32},    {26, 28, ValueEncoding::BiasedByte},
        {33, 35, ValueEncoding::BiasedByte},  {34, 36, ValueEncoding::Signed32},
        {35, 40, ValueEncoding::PlainByte},   {36, 41, ValueEncoding::PlainByte},
        {37, 42, ValueEncoding::Unsigned16},  {73, 114, ValueEncoding::Unsigned16},
        {74, 116, ValueEncoding::Signed32},   {77, 128, ValueEncoding::Signed32},
        {78, 132, ValueEncoding::Unsigned16}, {81, 138, ValueEncoding::Unsigned16},
        {82, 140, ValueEncoding::Signed32},   {92, 180, ValueEncoding::Signed32},
        {93, 184, ValueEncoding::Unsigned16}, {130, 258, ValueEncoding::Unsigned16},
    };
    for (const Case& c : cases) {
        const ValueSlot slot = valueSlot(c.value);
        EXPECT_EQ(slot.offset, c.offset) << "value " << c.value;
        EXPECT_EQ(slot.encoding, c.encoding) << "value " << c.value;
    }
    EXPECT_THROW(valueSlot(0), std::out_of_range);
    EXPECT_THROW(valueSlot(131), std::out_of_range);
}

TEST(MagicBlockTest, SlotsTileTheValueAreaWithoutGapsOrOverlap) {
    std::vector<int> owner(ValueAreaSize, 0);
    const std::size_t widths[] = {1, 1, 2, 4};
    for (int k = 1; k <= MagicValueCount; ++k) {
        const ValueSlot slot = valueSlot(k);
        for (std::size_t i = 0; i < widths[static_cast<int>(slot.encoding)]; ++i) {
            ASSERT_EQ(owner.at(slot.offset + i), 0) << "values " << owner[slot.offset + i] << " and " << k;
            owner[slot.offset + i] = k;
        }
    }
    // Offsets 24..27 and 36..39 hold values 25 and 34; nothing in the area is unowned.
    for (std::size_t offset = 0; offset < ValueAreaSize; ++offset) {
        EXPECT_NE(owner[offset], 0) << "offset " << offset;
    }
}

TEST(MagicBlockTest, EncodesAndDecodesEachEncoding) {
    struct Case {
        const char* name;
        int value;
        std::int32_t stored;
        std::vector<std::uint8_t> bytes;
        std::int32_t readBack;
    };
    const Case cases[] = {
        {"BiasedZero", 1, 0, {0x97}, 0},
        {"BiasedLowest", 1, -151, {0x00}, -151},
        {"BiasedHighest", 1, 104, {0xFF}, 104},
        {"BiasedWrapsPastHighest", 1, 105, {0x00}, -151},
        {"BiasedTwoHundred", 2, 200, {0x5F}, -56},
        {"PlainByte", 35, 255, {0xFF}, 255},
        {"PlainByteWraps", 36, 257, {0x01}, 1},
        {"Unsigned16MinusOne", 37, -1, {0xFF, 0xFF}, 65535},
        {"Unsigned16", 130, 0x1234, {0x34, 0x12}, 0x1234},
        {"Signed32MinusOne", 25, -1, {0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {"Signed32Lowest", 92, INT32_MIN, {0x00, 0x00, 0x00, 0x80}, INT32_MIN},
    };
    for (const Case& c : cases) {
        MagicBlock block(zeroBlock());
        block.setValue(c.value, c.stored);
        const std::size_t offset = valueSlot(c.value).offset;
        const std::vector<std::uint8_t> stored(block.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
                                               block.bytes().begin() +
                                                   static_cast<std::ptrdiff_t>(offset + c.bytes.size()));
        EXPECT_EQ(stored, c.bytes) << c.name;
        EXPECT_EQ(block.value(c.value), c.readBack) << c.name;
    }
}

TEST(MagicBlockTest, BiasedPairFormsOneLittleEndianWord) {
    MagicBlock block(zeroBlock());
    block.setValue(1, -1);
    block.setValue(2, 0);
    EXPECT_EQ(block.bytes()[0], 0x96);
    EXPECT_EQ(block.bytes()[1], 0x97);
}

TEST(MagicBlockTest, CountsOnlyWholeBumpEntries) {
    struct Case {
        std::size_t size;
        std::size_t entries;
    };
    const Case cases[] = {{260, 0}, {262, 0}, {263, 0}, {264, 1}, {266, 1}, {260 + 4 * 8 + 2, 8}};
    for (const Case& c : cases) {
        EXPECT_EQ(MagicBlock(zeroBlock(c.size)).bumpEntryCount(), c.entries) << c.size << " bytes";
    }
}

TEST(MagicBlockTest, MarkedFormWrapsValuesAndEntriesInMarkerAndEndMark) {
    std::vector<std::uint8_t> bare = zeroBlock();
    bare[0] = 0x11;
    bare.insert(bare.end(), {0xB0, 0x04, 0x25, 0x00, 0xFF, 0xFF}); // 1200,37 then the end mark
    const std::vector<std::uint8_t> marked = MagicBlock(bare).markedForm();

    ASSERT_EQ(marked.size(), EmptyMarkedBlockSize + 4);
    EXPECT_TRUE(startsWithMagicMarker(marked));
    EXPECT_EQ(marked[4], 0x11);
    const std::vector<std::uint8_t> tail(marked.end() - 6, marked.end());
    EXPECT_EQ(tail, (std::vector<std::uint8_t>{0xB0, 0x04, 0x25, 0x00, 0xFF, 0xFF}));
    EXPECT_EQ(MagicBlock(zeroBlock()).markedForm().size(), 266u);
}

TEST(MagicBlockTest, RefusesABlockWithoutAWholeValueArea) {
    EXPECT_THROW(MagicBlock(zeroBlock(259)), std::invalid_argument);
}

} // namespace
} // namespace vantor
