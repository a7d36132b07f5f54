#pragma once

#include "magic_block.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vantor {

struct ValueDifference {
    int number;
    std::int32_t a;
    std::int32_t b;
};

// A bump entry that differs; an entry that only one table has is empty on the other side.
struct BumpDifference {
    std::size_t index;
    std::optional<BumpEntry> a;
    std::optional<BumpEntry> b;
};

struct MagicComparison {
    std::vector<ValueDifference> values;
    std::size_t aEntries = 0;
    std::size_t bEntries = 0;
    std::vector<BumpDifference> bumpEntries;

    bool equal() const { return values.empty() && bumpEntries.empty(); }
};

// Compares the 130 values and the whole bump entries of two blocks; an end mark or a stray word
// behind the last entry is no part of the data.
MagicComparison compareBlocks(const MagicBlock& a, const MagicBlock& b);

} // namespace vantor
