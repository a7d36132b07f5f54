#pragma once

#include "value_encoding.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vantor {

inline constexpr int MagicValueCount = 130;
inline constexpr std::size_t ValueAreaSize = 260;
inline constexpr std::size_t BumpEntrySize = 4;
inline constexpr std::array<std::uint8_t, 4> MagicMarker = {'Q', 'Z', '0', '2'};
inline constexpr std::uint16_t EndMark = 0xFFFF;
// Marker, value area and end mark: the marked form of a block without bump entries.
inline constexpr std::size_t EmptyMarkedBlockSize = MagicMarker.size() + ValueAreaSize + 2;

struct ValueSlot {
    std::size_t offset;
    ValueEncoding encoding;
};

// Where value k (1 to 130) lives in the value area and how it is stored.
ValueSlot valueSlot(int k);

struct BumpEntry {
    std::uint16_t first;
    std::uint16_t second;
    bool operator==(const BumpEntry&) const = default;
};

// One track's magic data in its bare form: the 260-byte value area, the bump table and possibly
// an end mark or a stray word after the last whole entry.
class MagicBlock {
public:
    // Raises std::invalid_argument for fewer than 260 bytes, which hold no complete value area.
    explicit MagicBlock(std::vector<std::uint8_t> bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    std::int32_t value(int k) const;
    // Stores v in the encoding of value k, reduced modulo the width of its slot.
    void setValue(int k, std::int32_t v);

    // Only whole 4-byte entries count: a trailing end mark is not an entry.
    std::size_t bumpEntryCount() const { return (bytes_.size() - ValueAreaSize) / BumpEntrySize; }
    BumpEntry bumpEntry(std::size_t index) const;
    // Replaces the bump table, and any end mark or stray word behind it, with the entries.
    void setBumpTable(std::span<const BumpEntry> entries);

    // "QZ02", the value area, the bump entries and the end mark.
    std::vector<std::uint8_t> markedForm() const;

private:
    std::vector<std::uint8_t> bytes_;
};

bool startsWithMagicMarker(std::span<const std::uint8_t> bytes);

} // namespace vantor
