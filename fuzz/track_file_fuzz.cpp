// Feeds arbitrary bytes as a track file to the insertion's planning and splicing and to the
// extraction. The first byte chooses the number of bump entries of the block inserted; the rest is
// the track. A planned splice must give a track whose header words point at the block, whose
// checksum holds, whose block reads back unchanged and whose tail is the old one; inserting the
// same block again must change nothing. Only "Read beyond end of file" may escape the extraction.
#include "io_error.hpp"
#include "little_endian.hpp"
#include "magic_block.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"
#include "require.hpp"

#include <algorithm>
#include <span>
#include <vector>

namespace {

using namespace vantor;
using fuzz::require;
using Bytes = std::span<const std::uint8_t>;

bool sameBytes(Bytes a, Bytes b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// A marked block with no bump value 65535, so that extraction finds its end mark and no earlier one.
std::vector<std::uint8_t> markedBlockWith(std::size_t entries) {
    std::vector<std::uint8_t> bytes(ValueAreaSize + entries * BumpEntrySize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    for (std::size_t j = 0; j < entries; ++j) {
        writeU16(bytes, ValueAreaSize + j * BumpEntrySize, static_cast<std::uint16_t>(0xFFFE - j));
    }
    return MagicBlock(bytes).markedForm();
}

void checkSplice(Bytes track, Bytes block, const Splice& splice) {
    require(splice.cut >= 32 && splice.cut <= splice.tail && splice.tail <= track.size() - ChecksumSize);
    require(splice.cut == splice.insertionPoint + std::uint64_t{32});

    const std::vector<std::uint8_t> result = spliced(track, block, splice);
    const Bytes bytes(result);
    require(result.size() == splice.cut + block.size() + (track.size() - splice.tail));
    require(readU32(bytes, 8) == result.size() - ChecksumSize);
    require(readU32(bytes, 20) == splice.insertionPoint);
    require(readU32(bytes, 24) == splice.insertionPoint + block.size());
    require(computeTrackChecksum(bytes) == storedTrackChecksum(bytes));

    // In front of the block only the three header words change; behind it lies the old tail.
    for (std::uint64_t i = 0; i < splice.cut; ++i) {
        const bool headerWord = (i >= 8 && i < 12) || (i >= 20 && i < 28);
        require(headerWord || result[i] == track[i]);
    }
    require(sameBytes(bytes.subspan(splice.cut, block.size()), block));
    const std::uint64_t tailLength = track.size() - ChecksumSize - splice.tail;
    require(sameBytes(bytes.subspan(splice.cut + block.size(), tailLength),
                      track.subspan(splice.tail, tailLength)));

    require(holdsCustomMagicData(bytes));
    require(sameBytes(customMagicBlock(bytes).bytes(), block.subspan(MagicMarker.size())));

    const SplicePlan again = planSplice(bytes, block.size());
    require(again.splice.has_value());
    require(spliced(bytes, block, *again.splice) == result);
}

void checkExtraction(Bytes track) {
    try {
        if (!holdsCustomMagicData(track)) {
            return;
        }
        const MagicBlock block = customMagicBlock(track);
        const std::vector<std::uint8_t>& bytes = block.bytes();
        require(bytes.size() >= ValueAreaSize + 2 && (bytes.size() - ValueAreaSize) % 2 == 0);
        for (std::size_t at = ValueAreaSize; at < bytes.size(); at += 2) {
            require((readU16(bytes, at) == EndMark) == (at + 2 == bytes.size()));
        }
    } catch (const IoError& error) {
        require(error.code() == IoError::ReadBeyondEnd);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::vector<std::uint8_t> block = markedBlockWith(data[0] % 16);
    const Bytes track(data + 1, size - 1);

    const SplicePlan plan = planSplice(track, block.size());
    require(plan.splice.has_value() != !plan.refusal.empty());
    if (plan.splice) {
        checkSplice(track, block, *plan.splice);
    }
    checkExtraction(track);
    return 0;
}
