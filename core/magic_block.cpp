#include "magic_block.hpp"

#include "little_endian.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace vantor {

// Layout of the value area (offsets from the start of the bare block, little-endian):
//   values   1..24   offsets   0..23   biased byte (stored b stands for b - 151)
//   value   25       offset   24       signed 32-bit
//   values  26..33   offsets  28..35   biased byte
//   value   34       offset   36       signed 32-bit
//   values  35, 36   offsets  40, 41   plain byte
//   values  37..73   offsets  42..115  unsigned 16-bit
//   values  74..77   offsets 116..131  signed 32-bit
//   values  78..81   offsets 132..139  unsigned 16-bit
//   values  82..92   offsets 140..183  signed 32-bit
//   values  93..130  offsets 184..259  unsigned 16-bit
// The bump table follows at offset 260: entries of two unsigned 16-bit numbers.

namespace {

struct SlotRun {
    int firstValue;
    int lastValue;
    std::size_t firstOffset;
    ValueEncoding encoding;
};

constexpr std::array<SlotRun, 10> SlotRuns = {{
    {1, 24, 0, ValueEncoding::BiasedByte},
    {25, 25, 24, ValueEncoding::Signed32},
    {26, 33, 28, ValueEncoding::BiasedByte},
    {34, 34, 36, ValueEncoding::Signed32},
    {35, 36, 40, ValueEncoding::PlainByte},
    {37, 73, 42, ValueEncoding::Unsigned16},
    {74, 77, 116, ValueEncoding::Signed32},
    {78, 81, 132, ValueEncoding::Unsigned16},
    {82, 92, 140, ValueEncoding::Signed32},
    {93, 130, 184, ValueEncoding::Unsigned16},
}};

constexpr std::size_t widthOf(ValueEncoding encoding) {
    switch (encoding) {
    case ValueEncoding::BiasedByte:
    case ValueEncoding::PlainByte:
        return 1;
    case ValueEncoding::Unsigned16:
        return 2;
    case ValueEncoding::Signed32:
        return 4;
    }
    return 0;
}

} // namespace

ValueSlot valueSlot(int k) {
    for (const SlotRun& run : SlotRuns) {
        if (k >= run.firstValue && k <= run.lastValue) {
            return {run.firstOffset + static_cast<std::size_t>(k - run.firstValue) * widthOf(run.encoding),
                    run.encoding};
        }
    }
    throw std::out_of_range("value number " + std::to_string(k) + " is outside 1 to 130");
}

MagicBlock::MagicBlock(std::vector<std::uint8_t> bytes)
    : bytes_(std::move(bytes)) {
    if (bytes_.size() < ValueAreaSize) {
        throw std::invalid_argument("The magic data block is " + std::to_string(bytes_.size()) +
                                    " bytes long; its values alone need 260 bytes.");
    }
}

std::int32_t MagicBlock::value(int k) const {
    const ValueSlot slot = valueSlot(k);
    switch (slot.encoding) {
    case ValueEncoding::BiasedByte:
        return bytes_[slot.offset] - BiasedByteBias;
    case ValueEncoding::PlainByte:
        return bytes_[slot.offset];
    case ValueEncoding::Unsigned16:
        return readU16(bytes_, slot.offset);
    case ValueEncoding::Signed32:
        return static_cast<std::int32_t>(readU32(bytes_, slot.offset));
    }
    return 0;
}

void MagicBlock::setValue(int k, std::int32_t v) {
    const ValueSlot slot = valueSlot(k);
    const auto pattern = static_cast<std::uint32_t>(v);
    switch (slot.encoding) {
    case ValueEncoding::BiasedByte:
        bytes_[slot.offset] = static_cast<std::uint8_t>(pattern + BiasedByteBias);
        break;
    case ValueEncoding::PlainByte:
        bytes_[slot.offset] = static_cast<std::uint8_t>(pattern);
        break;
    case ValueEncoding::Unsigned16:
        writeU16(bytes_, slot.offset, static_cast<std::uint16_t>(pattern));
        break;
    case ValueEncoding::Signed32:
        writeU32(bytes_, slot.offset, pattern);
        break;
    }
}

void MagicBlock::setBumpTable(std::span<const BumpEntry> entries) {
    bytes_.resize(ValueAreaSize + entries.size() * BumpEntrySize);
    for (std::size_t j = 0; j < entries.size(); ++j) {
        const std::size_t offset = ValueAreaSize + j * BumpEntrySize;
        writeU16(bytes_, offset, entries[j].first);
        writeU16(bytes_, offset + 2, entries[j].second);
    }
}

BumpEntry MagicBlock::bumpEntry(std::size_t index) const {
    if (index >= bumpEntryCount()) {
        throw std::out_of_range("bump entry " + std::to_string(index) + " is past the table");
    }
    const std::size_t offset = ValueAreaSize + index * BumpEntrySize;
    return {readU16(bytes_, offset), readU16(bytes_, offset + 2)};
}

std::vector<std::uint8_t> MagicBlock::markedForm() const {
    const std::size_t entryBytes = bumpEntryCount() * BumpEntrySize;
    std::vector<std::uint8_t> marked(EmptyMarkedBlockSize + entryBytes, 0xFF);
    std::copy(MagicMarker.begin(), MagicMarker.end(), marked.begin());
    std::copy_n(bytes_.begin(), ValueAreaSize + entryBytes, marked.begin() + MagicMarker.size());
    return marked;
}

bool startsWithMagicMarker(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= MagicMarker.size() &&
           std::equal(MagicMarker.begin(), MagicMarker.end(), bytes.begin());
}

} // namespace vantor
