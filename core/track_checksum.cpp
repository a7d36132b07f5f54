#include "track_checksum.hpp"

#include <algorithm>
#include <vector>

#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "track_rewrite.hpp"
#include "track_sums.hpp"

#include <cstdio>

namespace vantor {

namespace {

// Small enough to stay in the processor's cache between the read that fills it and the sums, and
// below the size from which the allocator maps fresh, page-faulting memory for it.
constexpr std::size_t SummedChunkSize = std::size_t{64} << 10;

} // namespace

std::uint16_t RotateLeft16(std::uint16_t value, unsigned count) {
    count %= 16;
    return static_cast<std::uint16_t>(value << count | value >> ((16 - count) % 16));
}

std::string checksumText(const TrackChecksum& checksum) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", checksum.byteSum & 0xFF, checksum.byteSum >> 8,
                  checksum.rotatingSum & 0xFF, checksum.rotatingSum >> 8);
    return text;
}

void RunningTrackChecksum::add(std::span<const std::uint8_t> bytes) {
    continueTrackSums(sums_, bytes);
}

TrackChecksum computeTrackChecksum(std::span<const std::uint8_t> contents) {
    RunningTrackChecksum sums;
    sums.add(contents.first(contents.size() - ChecksumSize));
    return sums.value();
}

TrackFileChecksums readTrackChecksums(const std::filesystem::path& path) {
    ReadOnlyFile file(path);
    TrackFileChecksums result;
    result.length = file.size();
    if (result.length < MinimumChecksummedSize) {
        return result;
    }
    const std::uint64_t summed = result.length - ChecksumSize;
    std::vector<std::uint8_t> chunk(
        static_cast<std::size_t>(std::min<std::uint64_t>(summed, SummedChunkSize)));
    RunningTrackChecksum sums;
    for (std::uint64_t at = 0; at < summed;) {
        const auto piece = std::span(chunk).first(
            static_cast<std::size_t>(std::min<std::uint64_t>(summed - at, chunk.size())));
        file.readAt(at, piece);
        sums.add(piece);
        at += piece.size();
    }
    result.computed = sums.value();
    std::uint8_t stored[ChecksumSize];
    file.readAt(summed, stored);
    result.stored = storedTrackChecksum(stored);
    return result;
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
    const std::uint64_t length = locked.size();
    if (length < MinimumChecksummedSize) {
        return false;
    }
    TrackRewrite rewrite;
    rewrite.keep(0, length - ChecksumSize);
    rewrite.applyTo(locked);
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
