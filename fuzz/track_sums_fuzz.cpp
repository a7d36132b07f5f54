// Feeds arbitrary bytes to the track checksum's sums: the first four give the sums to start from,
// the rest are summed. Every way of summing this processor runs (the chosen one, and each set of
// vector lanes followed by the chosen one for the bytes behind its blocks) must give the sums of
// the definition, a rotate and an add a byte.
#include "lane_sums.hpp"
#include "little_endian.hpp"
#include "track_checksum.hpp"
#include "require.hpp"

#include <span>

namespace {

using namespace vantor;
using fuzz::require;
using Bytes = std::span<const std::uint8_t>;

TrackChecksum definitionSums(TrackChecksum sums, Bytes bytes) {
    for (const std::uint8_t b : bytes) {
        sums.byteSum = static_cast<std::uint16_t>(sums.byteSum + b);
        sums.rotatingSum = static_cast<std::uint16_t>(RotateLeft16(sums.rotatingSum, 3) + b);
    }
    return sums;
}

#if defined(__x86_64__)
TrackChecksum summedInLanes(void (*lanes)(TrackChecksum&, Bytes&), TrackChecksum sums, Bytes bytes) {
    lanes(sums, bytes);
    RunningTrackChecksum rest(sums);
    rest.add(bytes);
    return rest.value();
}
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes input(data, size);
    if (input.size() < 4) {
        return 0;
    }
    const TrackChecksum from{readU16(input, 0), readU16(input, 2)};
    const Bytes bytes = input.subspan(4);
    const TrackChecksum expected = definitionSums(from, bytes);
    RunningTrackChecksum sums(from);
    sums.add(bytes);
    require(sums.value() == expected);
#if defined(__x86_64__)
    require(summedInLanes(continueInSse2Lanes, from, bytes) == expected);
    if (hasAvx2Lanes()) {
        require(summedInLanes(continueInAvx2Lanes, from, bytes) == expected);
    }
#endif
    return 0;
}
