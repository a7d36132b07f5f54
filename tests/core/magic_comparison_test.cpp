#include "magic_comparison.hpp"

#include "track_fixture.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::blockWithEntries;

TEST(MagicComparisonTest, EqualBlocksHaveNoDifferences) {
    const MagicComparison same = compareBlocks(blockWithEntries(3, 5), blockWithEntries(3, 5));
    EXPECT_TRUE(same.equal());
    EXPECT_EQ(same.aEntries, 3u);
    EXPECT_EQ(same.bEntries, 3u);
}

TEST(MagicComparisonTest, NamesTheOneValueThatDiffers) {
    MagicBlock b = blockWithEntries(3, 5);
    b.setValue(40, 9999);
    const MagicComparison comparison = compareBlocks(blockWithEntries(3, 5), b);
    ASSERT_EQ(comparison.values.size(), 1u);
    EXPECT_EQ(comparison.values[0].number, 40);
    EXPECT_EQ(comparison.values[0].a, 45);
    EXPECT_EQ(comparison.values[0].b, 9999);
    EXPECT_TRUE(comparison.bumpEntries.empty());
    EXPECT_FALSE(comparison.equal());
}

TEST(MagicComparisonTest, EntriesOnlyOneTableHasAreMissingOnTheOther) {
    const MagicBlock shorter = blockWithEntries(2, 5);
    const MagicBlock longer = blockWithEntries(4, 5);
    const MagicComparison comparison = compareBlocks(shorter, longer);
    EXPECT_TRUE(comparison.values.empty());
    EXPECT_EQ(comparison.aEntries, 2u);
    EXPECT_EQ(comparison.bEntries, 4u);
    ASSERT_EQ(comparison.bumpEntries.size(), 2u);
    EXPECT_EQ(comparison.bumpEntries[0].index, 2u);
    EXPECT_EQ(comparison.bumpEntries[0].a, std::nullopt);
    EXPECT_EQ(comparison.bumpEntries[0].b, longer.bumpEntry(2));
    EXPECT_EQ(compareBlocks(longer, shorter).bumpEntries[1].b, std::nullopt);
}

// A track's block ends in the end mark, a stock block often in a stray word: neither is data.
TEST(MagicComparisonTest, EndMarkAndStrayWordAreNoEntries) {
    std::vector<std::uint8_t> withEndMark = blockWithEntries(3, 5).bytes();
    withEndMark.insert(withEndMark.end(), {0xFF, 0xFF});
    std::vector<std::uint8_t> withStrayWord = blockWithEntries(3, 5).bytes();
    withStrayWord.insert(withStrayWord.end(), {0x12, 0x34});
    EXPECT_TRUE(compareBlocks(MagicBlock(withEndMark), MagicBlock(withStrayWord)).equal());
}

} // namespace
} // namespace vantor
