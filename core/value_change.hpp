#pragma once

#include "magic_block.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantor {

// A new value for value number 1 to 130; 64-bit, so that a typed number beyond 32 bits is
// refused rather than cut.
struct ValueChange {
    int number;
    std::int64_t value;
};

enum class EditResult {
    FileNotFound, // "File not found!" was told; nothing happened
    Refused,      // told why; the file is unchanged
    Changed,
};

// "value 7 = 120 is outside -151 to 104, the range of a biased byte".
std::string outOfRangeText(int number, std::int64_t value);

// Why the change cannot be stored without wrapping: a number outside 1 to 130 or a value
// outside its encoding's range. Empty when it can.
std::optional<std::string> changeRefusal(const ValueChange& change);

// The refusal of the first change that cannot be stored.
std::optional<std::string> firstChangeRefusal(std::span<const ValueChange> changes);

// Stores the changes; each must have passed changeRefusal.
void applyChanges(MagicBlock& block, std::span<const ValueChange> changes);

} // namespace vantor
