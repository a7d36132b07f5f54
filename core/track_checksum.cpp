#include "track_checksum.hpp"

#include <algorithm>
#include <vector>

#include "file_system.hpp"
#include "io_error.hpp"
#include "lane_sums.hpp"
#include "little_endian.hpp"
#include "track_rewrite.hpp"

#include <cstdio>

namespace vantor {

namespace {

// Small enough to stay in the processor's cache between the read that fills it and the sums, and
// below the size from which the allocator maps fresh, page-faulting memory for it.
constexpr std::size_t SummedChunkSize = std::size_t{64} << 10;

void continueOneByOne(TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
    // Kept in 16 bits, the rotating sum compiles to a rotate and an add a byte; the byte sum is
    // independent and rides along.
    std::uint32_t byteSum = sums.byteSum;
    std::uint16_t rotating = sums.rotatingSum;
    for (std::uint8_t b : bytes) {
        byteSum += b;
        rotating = static_cast<std::uint16_t>(static_cast<std::uint16_t>(rotating << 3 | rotating >> 13) + b);
    }
    sums = {static_cast<std::uint16_t>(byteSum), rotating};
}

#if defined(__x86_64__)
// Where the lanes stop at dense carries, a stretch goes one byte after the other before they are
// tried again. It doubles each time they stop at once again, so that a long run of such bytes costs
// few failed tries, and starts from one block when they got on, so that a short run costs little.
constexpr std::size_t LongestDenseCarryStretch = 32 * LaneBlockSize;
#endif

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
#if defined(__x86_64__)
    const auto continueInLanes = hasAvx2Lanes() ? continueInAvx2Lanes : continueInSse2Lanes;
    std::size_t stretch = 0;
    for (;;) {
        const std::size_t before = bytes.size();
        continueInLanes(sums_, bytes);
        if (bytes.size() < LaneBlockSize) {
            break;
        }
        const bool stoppedAtOnce = bytes.size() == before && stretch != 0;
        stretch = stoppedAtOnce ? std::min(2 * stretch, LongestDenseCarryStretch) : LaneBlockSize;
        const auto denseCarries = bytes.first(std::min(bytes.size(), stretch));
        continueOneByOne(sums_, denseCarries);
        bytes = bytes.subspan(denseCarries.size());
    }
#endif
    continueOneByOne(sums_, bytes);
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
