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
// Where the lanes stop at dense carries, this much goes one byte after the other before they are
// tried again: enough to pay back a failed try, short enough to miss little when carries thin out.
constexpr std::size_t DenseCarryStretch = 32 * LaneBlockSize;
#endif

} // namespace

void continueTrackSums(TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
#if defined(__x86_64__)
    const auto continueInLanes = hasAvx2Lanes() ? continueInAvx2Lanes : continueInSse2Lanes;
    for (;;) {
        continueInLanes(sums, bytes);
        if (bytes.size() < LaneBlockSize) {
            break;
        }
        const auto stretch = bytes.first(std::min(bytes.size(), DenseCarryStretch));
        continueOneByOne(sums, stretch);
        bytes = bytes.subspan(stretch.size());
    }
#endif
    continueOneByOne(sums, bytes);
}

} // namespace vantor
