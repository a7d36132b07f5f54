#include "track_fixture.hpp"

#include "little_endian.hpp"
#include "track_checksum.hpp"

#include <algorithm>

namespace vantor::testing {

std::vector<std::uint8_t> filler(std::size_t count, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
    }
    return bytes;
}

std::vector<std::uint8_t> trackWithInfoBlock(std::string_view block) {
    constexpr std::string_view header = "TRK\x01head....tail";
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.push_back(0);
    bytes.insert(bytes.end(), block.begin(), block.end());
    bytes.resize(bytes.size() + ChecksumSize);
    writeU32(bytes, 8, static_cast<std::uint32_t>(bytes.size() - ChecksumSize));
    renewTrackChecksum(bytes);
    return bytes;
}

std::vector<std::uint8_t> trackOf(std::size_t length, std::uint32_t start, std::uint32_t end) {
    std::vector<std::uint8_t> track = filler(length, 3);
    writeU32(track, 8, 0xDEADBEEF);
    writeU32(track, 20, start);
    writeU32(track, 24, end);
    renewTrackChecksum(track);
    return track;
}

std::vector<std::uint8_t> trackWithArea(const std::vector<std::uint8_t>& area, std::size_t tailSize) {
    constexpr std::uint32_t Start = 100;
    std::vector<std::uint8_t> track =
        trackOf(Start + 32 + area.size() + tailSize, Start, Start + static_cast<std::uint32_t>(area.size()));
    std::copy(area.begin(), area.end(), track.begin() + Start + 32);
    renewTrackChecksum(track);
    return track;
}

std::vector<std::uint8_t> trackWithAreaAndInfoBlock(const std::vector<std::uint8_t>& area,
                                                    std::string_view block) {
    std::vector<std::uint8_t> track = trackWithArea(area);
    track.resize(track.size() - ChecksumSize);
    track.push_back(0);
    track.insert(track.end(), block.begin(), block.end());
    track.resize(track.size() + ChecksumSize);
    renewTrackChecksum(track);
    return track;
}

MagicBlock blockWithEntries(std::size_t entries, std::int32_t seed) {
    MagicBlock block(std::vector<std::uint8_t>(ValueAreaSize + entries * BumpEntrySize, 0));
    for (int k = 1; k <= MagicValueCount; ++k) {
        block.setValue(k, seed + k);
    }
    std::vector<std::uint8_t> bytes = block.bytes();
    for (std::size_t j = 0; j < entries; ++j) {
        writeU16(bytes, ValueAreaSize + j * BumpEntrySize, static_cast<std::uint16_t>(seed * 100 + j));
        writeU16(bytes, ValueAreaSize + j * BumpEntrySize + 2, static_cast<std::uint16_t>(j + 1));
    }
    return MagicBlock(bytes);
}

} // namespace vantor::testing
