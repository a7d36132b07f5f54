#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace vantor {

// The last 4 bytes of a track file: a byte sum and a rotating sum over every byte in front of them,
// both 16-bit little-endian.
struct TrackChecksum {
    std::uint16_t byteSum = 0;
    std::uint16_t rotatingSum = 0;
    bool operator==(const TrackChecksum&) const = default;
};

inline constexpr std::size_t ChecksumSize = 4;
// A track file needs at least one summed byte in front of its checksum.
inline constexpr std::size_t MinimumChecksummedSize = ChecksumSize + 1;

std::uint16_t RotateLeft16(std::uint16_t value, unsigned count);

// The checksum over all but the last 4 bytes; contents must hold at least 5 bytes.
TrackChecksum computeTrackChecksum(std::span<const std::uint8_t> contents);

// The checksum stored in the last 4 bytes; contents must hold at least 4 bytes.
TrackChecksum storedTrackChecksum(std::span<const std::uint8_t> contents);

// Renews the last 4 bytes of a track file's contents in memory. False, and nothing changed, for
// fewer than 5 bytes.
bool renewTrackChecksum(std::span<std::uint8_t> contents);

// Renews the stored checksum of the track file at path under the track's lock, replacing the file
// in one step. False, with the file unchanged, when it is shorter than 5 bytes. Raises IoError.
bool renewStoredChecksum(const std::filesystem::path& path);

// As renewStoredChecksum, and also false, with the file unchanged, when any file operation fails.
bool WriteTrackChecksum(const std::filesystem::path& path);

} // namespace vantor
