#include "magic_comparison.hpp"

#include <algorithm>

namespace vantor {

namespace {

std::optional<BumpEntry> entryOrNone(const MagicBlock& block, std::size_t index) {
    return index < block.bumpEntryCount() ? std::optional(block.bumpEntry(index)) : std::nullopt;
}

} // namespace

MagicComparison compareBlocks(const MagicBlock& a, const MagicBlock& b) {
    MagicComparison comparison;
    for (int k = 1; k <= MagicValueCount; ++k) {
        if (a.value(k) != b.value(k)) {
            comparison.values.push_back({k, a.value(k), b.value(k)});
        }
    }
    comparison.aEntries = a.bumpEntryCount();
    comparison.bEntries = b.bumpEntryCount();
    for (std::size_t j = 0; j < std::max(comparison.aEntries, comparison.bEntries); ++j) {
        const std::optional<BumpEntry> inA = entryOrNone(a, j);
        const std::optional<BumpEntry> inB = entryOrNone(b, j);
        if (inA != inB) {
            comparison.bumpEntries.push_back({j, inA, inB});
        }
    }
    return comparison;
}

} // namespace vantor
