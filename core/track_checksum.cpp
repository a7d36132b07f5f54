#include "track_checksum.hpp"

#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"

namespace vantor {

std::uint16_t RotateLeft16(std::uint16_t value, unsigned count) {
    count %= 16;
    return static_cast<std::uint16_t>(value << count | value >> ((16 - count) % 16));
}

TrackChecksum computeTrackChecksum(std::span<const std::uint8_t> contents) {
    const auto summed = contents.first(contents.size() - ChecksumSize);
    // The rotating sum is one serial chain; kept in 16 bits it compiles to a rotate and an add a
    // byte. The byte sum is independent and rides along.
    std::uint32_t byteSum = 0;
    std::uint16_t rotating = 0;
    for (std::uint8_t b : summed) {
        byteSum += b;
        rotating = static_cast<std::uint16_t>(static_cast<std::uint16_t>(rotating << 3 | rotating >> 13) + b);
    }
    return {static_cast<std::uint16_t>(byteSum), rotating};
}

TrackChecksum storedTrackChecksum(std::span<const std::uint8_t> contents) {
    const std::size_t at = contents.size() - ChecksumSize;
    return {readU16(contents, at), readU16(contents, at + 2)};
}

bool renewTrackChecksum(std::span<std::uint8_t> contents) {
    if (contents.size() < MinimumChecksummedSize) {
        return false;
    }
    const TrackChecksum checksum = computeTrackChecksum(contents);
    const std::size_t at = contents.size() - ChecksumSize;
    writeU16(contents, at, checksum.byteSum);
    writeU16(contents, at + 2, checksum.rotatingSum);
    return true;
}

bool renewStoredChecksum(const std::filesystem::path& path) {
    LockedFile locked(path);
    std::vector<std::uint8_t> contents = locked.read();
    if (!renewTrackChecksum(contents)) {
        return false;
    }
    locked.replace(contents, "track file");
    return true;
}

bool WriteTrackChecksum(const std::filesystem::path& path) {
    try {
        return renewStoredChecksum(path);
    } catch (const IoError&) {
        return false;
    }
}

} // namespace vantor
