#pragma once

// The track checksum's sums over whole 256-byte blocks in vector lanes, one way for each
// instruction set the processor may have; the running track checksum picks the fastest one present.

#include <cstdint>
#include <span>

namespace vantor {

struct TrackChecksum;

inline constexpr std::size_t LaneBlockSize = 256;

#if defined(__x86_64__)
// Each carries the sums on over the whole blocks at the front of bytes, and drops those from it;
// each stops early at a block whose additions carry too often for the lanes.
void continueInSse2Lanes(TrackChecksum& sums, std::span<const std::uint8_t>& bytes);
void continueInAvx2Lanes(TrackChecksum& sums, std::span<const std::uint8_t>& bytes);

// Whether the processor and the operating system run 256-bit integer vector instructions.
bool hasAvx2Lanes();
#endif

} // namespace vantor
