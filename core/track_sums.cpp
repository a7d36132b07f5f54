#include "track_sums.hpp"

#include "lane_sums.hpp"
#include "track_checksum.hpp"

#include <algorithm>

namespace vantor {

namespace {

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

void continueTrackSums(TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
#if defined(__x86_64__)
    const auto continueInLanes = hasAvx2Lanes() ? continueInAvx2Lanes : continueInSse2Lanes;
    std::size_t stretch = 0;
    for (;;) {
        const std::size_t before = bytes.size();
        continueInLanes(sums, bytes);
        if (bytes.size() < LaneBlockSize) {
            break;
        }
        const bool stoppedAtOnce = bytes.size() == before && stretch != 0;
        stretch = stoppedAtOnce ? std::min(2 * stretch, LongestDenseCarryStretch) : LaneBlockSize;
        const auto denseCarries = bytes.first(std::min(bytes.size(), stretch));
        continueOneByOne(sums, denseCarries);
        bytes = bytes.subspan(denseCarries.size());
    }
#endif
    continueOneByOne(sums, bytes);
}

} // namespace vantor
