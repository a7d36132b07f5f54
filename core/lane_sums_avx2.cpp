// The lanes on 256-bit vectors, whose instructions work on each 128-bit half alone but for a few.
// Compiled for processors with those instructions; called only after they were found present.
#include "lane_sums.hpp"

#include <immintrin.h>

#include "lane_sums_blocks.hpp"

namespace vantor {

namespace {

struct Avx2 {
    using Vector = __m256i;

    static Vector loadHalves(const std::uint8_t* low, const std::uint8_t* high) {
        return _mm256_inserti128_si256(
            _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(low))),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(high)), 1);
    }
    static Vector broadcast16(std::uint16_t v) { return _mm256_set1_epi16(static_cast<short>(v)); }
    static Vector broadcast32(std::int32_t v) { return _mm256_set1_epi32(v); }
    static Vector inBothHalves16(short e0, short e1, short e2, short e3, short e4, short e5, short e6,
                                 short e7) {
        return _mm256_setr_epi16(e0, e1, e2, e3, e4, e5, e6, e7, e0, e1, e2, e3, e4, e5, e6, e7);
    }
    static Vector laneNumbers() {
        return _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    }

    static Vector add16(Vector a, Vector b) { return _mm256_add_epi16(a, b); }
    static Vector add32(Vector a, Vector b) { return _mm256_add_epi32(a, b); }
    static Vector add64(Vector a, Vector b) { return _mm256_add_epi64(a, b); }
    static Vector addSaturated16(Vector a, Vector b) { return _mm256_adds_epu16(a, b); }
    static Vector equal16(Vector a, Vector b) { return _mm256_cmpeq_epi16(a, b); }
    static Vector greater16(Vector a, Vector b) { return _mm256_cmpgt_epi16(a, b); }
    static Vector bitOr(Vector a, Vector b) { return _mm256_or_si256(a, b); }
    static Vector bitAnd(Vector a, Vector b) { return _mm256_and_si256(a, b); }
    static Vector bitAndNot(Vector a, Vector b) { return _mm256_andnot_si256(a, b); }
    static Vector multiplyAdd16(Vector a, Vector b) { return _mm256_madd_epi16(a, b); }
    static Vector packSigned32(Vector a, Vector b) { return _mm256_packs_epi32(a, b); }
    static Vector interleaveLow8(Vector a, Vector b) { return _mm256_unpacklo_epi8(a, b); }
    static Vector interleaveHigh8(Vector a, Vector b) { return _mm256_unpackhi_epi8(a, b); }
    static Vector interleaveLow16(Vector a, Vector b) { return _mm256_unpacklo_epi16(a, b); }
    static Vector interleaveHigh16(Vector a, Vector b) { return _mm256_unpackhi_epi16(a, b); }
    static Vector interleaveLow32(Vector a, Vector b) { return _mm256_unpacklo_epi32(a, b); }
    static Vector interleaveHigh32(Vector a, Vector b) { return _mm256_unpackhi_epi32(a, b); }
    static Vector interleaveLow64(Vector a, Vector b) { return _mm256_unpacklo_epi64(a, b); }
    static Vector interleaveHigh64(Vector a, Vector b) { return _mm256_unpackhi_epi64(a, b); }
    static Vector byteSums(Vector a) { return _mm256_sad_epu8(a, _mm256_setzero_si256()); }

    template <int N> static Vector shiftLeft16(Vector a) { return _mm256_slli_epi16(a, N); }
    template <int N> static Vector shiftRight16(Vector a) { return _mm256_srli_epi16(a, N); }
    template <int N> static Vector shiftRight32(Vector a) { return _mm256_srli_epi32(a, N); }
    // Element i of each half takes element i - N of the same half, the first N take 0.
    template <int N> static Vector shiftUpInHalves(Vector a) { return _mm256_slli_si256(a, 2 * N); }
    static Vector lowHalvesSignExtended32(Vector a) {
        return _mm256_srai_epi32(_mm256_slli_epi32(a, 16), 16);
    }

    static std::uint32_t byteSignBits(Vector a) {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(a));
    }
    static std::uint32_t sumOf64(Vector a) {
        const __m128i both = _mm_add_epi64(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1));
        return static_cast<std::uint32_t>(
            _mm_cvtsi128_si32(_mm_add_epi64(both, _mm_unpackhi_epi64(both, both))));
    }
    // The low half 0; every lane of the high half lane 7.
    static Vector lane7IntoHighHalf(Vector a) {
        const Vector high = _mm256_shufflehi_epi16(a, 0xFF);
        return _mm256_permute2x128_si256(_mm256_unpackhi_epi64(high, high), high, 0x08);
    }
    // Lane i takes lane i - 1; lane 0 takes 0.
    static Vector lanesUp(Vector a) {
        return _mm256_alignr_epi8(a, _mm256_permute2x128_si256(a, a, 0x08), 14);
    }
    // Lane i takes lane i + 1; lane 15 takes 0.
    static Vector lanesDown(Vector a) {
        return _mm256_alignr_epi8(_mm256_permute2x128_si256(a, a, 0x81), a, 2);
    }
    static std::uint16_t lane(Vector a, int i) {
        alignas(32) std::uint16_t lanes[16];
        _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), a);
        return lanes[i];
    }
    static std::uint16_t lastLane(Vector a) {
        return static_cast<std::uint16_t>(_mm256_extract_epi16(a, 15));
    }
};

} // namespace

void continueInAvx2Lanes(TrackChecksum& sums, std::span<const std::uint8_t>& bytes) {
    continueInBlocks<Avx2>(sums, bytes);
}

} // namespace vantor
