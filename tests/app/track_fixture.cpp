#include "track_fixture.hpp"

#include <algorithm>

#include "little_endian.hpp"
#include "magic_block.hpp"
#include "magic_file.hpp"
#include "track_checksum.hpp"

namespace vantor::testing {

namespace {

constexpr std::size_t HeaderSize = 32;
const std::string Tail = "tail: the track's later data";

MagicBlock fixtureBlock(int firstValue) {
    std::vector<std::uint8_t> bytes(ValueAreaSize, 0);
    bytes.insert(bytes.end(), {0x10, 0x00, 0x20, 0x00, 0x30, 0x00, 0x40, 0x00});
    MagicBlock block(std::move(bytes));
    for (int k = 1; k <= MagicValueCount; ++k) {
        block.setValue(k, 0);
    }
    block.setValue(1, firstValue);
    return block;
}

// Header, area and tail, with the header words and the checksum filled in.
std::vector<std::uint8_t> trackFile(const std::vector<std::uint8_t>& area) {
    std::vector<std::uint8_t> track(HeaderSize + area.size() + Tail.size() + ChecksumSize, 0x5A);
    std::copy(area.begin(), area.end(), track.begin() + HeaderSize);
    std::copy(Tail.begin(), Tail.end(), track.begin() + std::ptrdiff_t(HeaderSize + area.size()));
    writeU32(track, 8, std::uint32_t(track.size() - ChecksumSize));
    writeU32(track, 20, 0);
    writeU32(track, 24, std::uint32_t(area.size()));
    renewTrackChecksum(track);
    return track;
}

} // namespace

std::vector<std::uint8_t> plainTrackFile() {
    return trackFile({'r', 'e', 'g', 'i', 'o', 'n', '!', '!'});
}

std::vector<std::uint8_t> customTrackFile(int firstValue) {
    return trackFile(fixtureBlock(firstValue).markedForm());
}

std::string magicFileText(int firstValue) {
    return formatMagicFile(fixtureBlock(firstValue), Descriptions{});
}

} // namespace vantor::testing
