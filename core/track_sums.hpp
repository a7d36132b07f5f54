#pragma once

#include <cstdint>
#include <span>

namespace vantor {

struct TrackChecksum;

// Carries both sums of a track checksum on over the bytes that follow those already summed: the
// byte sum adds each byte; the rotating sum is rotated left by 3 bits within 16 bits and then has
// the byte added, both modulo 65536.
void continueTrackSums(TrackChecksum& sums, std::span<const std::uint8_t> bytes);

} // namespace vantor
