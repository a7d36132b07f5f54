#include "track_sums.hpp"

#include "lane_sums.hpp"
#include "track_checksum.hpp"

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

} // namespace

void continueTrackSums(TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
#if defined(__x86_64__)
    if (hasAvx2Lanes()) {
        continueInAvx2Lanes(sums, bytes);
    } else {
        continueInSse2Lanes(sums, bytes);
    }
#endif
    continueOneByOne(sums, bytes);
}

} // namespace vantor
