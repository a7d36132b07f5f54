#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

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

// The 4 stored bytes in hexadecimal, in file order: "12 34 56 78".
std::string checksumText(const TrackChecksum& checksum);

// Both sums over the summed bytes fed in file order, in pieces of any size, so that a file need
// not be in memory whole.
class RunningTrackChecksum {
public:
    // From sums already taken over the bytes in front.
    explicit RunningTrackChecksum(TrackChecksum start = {})
        : sums_(start) {}

    void add(std::span<const std::uint8_t> bytes);
    TrackChecksum value() const { return sums_; }

private:
    TrackChecksum sums_;
};

// The checksum over all but the last 4 bytes; contents must hold at least 5 bytes.
TrackChecksum computeTrackChecksum(std::span<const std::uint8_t> contents);

// A track file's length and, when it holds at least 5 bytes, its stored checksum and the one
// its contents call for.
struct TrackFileChecksums {
    std::uint64_t length = 0;
    TrackChecksum stored;
    TrackChecksum computed;
};

// Reads the track file in chunks, opened for reading alone. Raises IoError.
TrackFileChecksums readTrackChecksums(const std::filesystem::path& path);

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
