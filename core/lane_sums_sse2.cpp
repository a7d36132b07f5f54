// The lanes on the 128-bit vectors that every x86-64 processor has: each 256-bit vector is a pair.
#include "lane_sums.hpp"

#include <emmintrin.h>

#include "lane_sums_blocks.hpp"

namespace vantor {

namespace {

// An operation on two vectors, done on each half by the 128-bit instruction.
#define VANTOR_IN_EACH_HALF(name, instruction)                                                               \
    static Vector name(Vector a, Vector b) {                                                                 \
        return {{instruction(a.half[0], b.half[0]), instruction(a.half[1], b.half[1])}};                     \
    }

struct Sse2 {
    struct Vector {
        __m128i half[2];
    };

    template <class F> static Vector inEachHalf(Vector a, F f) { return {{f(a.half[0]), f(a.half[1])}}; }
    static Vector same(__m128i v) { return {{v, v}}; }

    static Vector loadHalves(const std::uint8_t* low, const std::uint8_t* high) {
        return {{_mm_loadu_si128(reinterpret_cast<const __m128i*>(low)),
                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(high))}};
    }
    static Vector broadcast16(std::uint16_t v) { return same(_mm_set1_epi16(static_cast<short>(v))); }
    static Vector broadcast32(std::int32_t v) { return same(_mm_set1_epi32(v)); }
    static Vector inBothHalves16(short e0, short e1, short e2, short e3, short e4, short e5, short e6,
                                 short e7) {
        return same(_mm_setr_epi16(e0, e1, e2, e3, e4, e5, e6, e7));
    }
    static Vector laneNumbers() {
        return {{_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_setr_epi16(8, 9, 10, 11, 12, 13, 14, 15)}};
    }

    VANTOR_IN_EACH_HALF(add16, _mm_add_epi16)
    VANTOR_IN_EACH_HALF(add32, _mm_add_epi32)
    VANTOR_IN_EACH_HALF(add64, _mm_add_epi64)
    VANTOR_IN_EACH_HALF(addSaturated16, _mm_adds_epu16)
    VANTOR_IN_EACH_HALF(equal16, _mm_cmpeq_epi16)
    VANTOR_IN_EACH_HALF(greater16, _mm_cmpgt_epi16)
    VANTOR_IN_EACH_HALF(bitOr, _mm_or_si128)
    VANTOR_IN_EACH_HALF(bitAnd, _mm_and_si128)
    VANTOR_IN_EACH_HALF(bitAndNot, _mm_andnot_si128)
    VANTOR_IN_EACH_HALF(multiplyAdd16, _mm_madd_epi16)
    VANTOR_IN_EACH_HALF(packSigned32, _mm_packs_epi32)
    VANTOR_IN_EACH_HALF(interleaveLow8, _mm_unpacklo_epi8)
    VANTOR_IN_EACH_HALF(interleaveHigh8, _mm_unpackhi_epi8)
    VANTOR_IN_EACH_HALF(interleaveLow16, _mm_unpacklo_epi16)
    VANTOR_IN_EACH_HALF(interleaveHigh16, _mm_unpackhi_epi16)
    VANTOR_IN_EACH_HALF(interleaveLow32, _mm_unpacklo_epi32)
    VANTOR_IN_EACH_HALF(interleaveHigh32, _mm_unpackhi_epi32)
    VANTOR_IN_EACH_HALF(interleaveLow64, _mm_unpacklo_epi64)
    VANTOR_IN_EACH_HALF(interleaveHigh64, _mm_unpackhi_epi64)
    static Vector byteSums(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_sad_epu8(x, _mm_setzero_si128()); });
    }

    template <int N> static Vector shiftLeft16(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_slli_epi16(x, N); });
    }
    template <int N> static Vector shiftRight16(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_srli_epi16(x, N); });
    }
    template <int N> static Vector shiftRight32(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_srli_epi32(x, N); });
    }
    // Element i of each half takes element i - N of the same half, the first N take 0.
    template <int N> static Vector shiftUpInHalves(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_slli_si128(x, 2 * N); });
    }
    static Vector lowHalvesSignExtended32(Vector a) {
        return inEachHalf(a, [](__m128i x) { return _mm_srai_epi32(_mm_slli_epi32(x, 16), 16); });
    }

    static std::uint32_t byteSignBits(Vector a) {
        return static_cast<std::uint32_t>(_mm_movemask_epi8(a.half[0])) |
               static_cast<std::uint32_t>(_mm_movemask_epi8(a.half[1])) << 16;
    }
    static std::uint32_t sumOf64(Vector a) {
        const __m128i both = _mm_add_epi64(a.half[0], a.half[1]);
        return static_cast<std::uint32_t>(
            _mm_cvtsi128_si32(_mm_add_epi64(both, _mm_unpackhi_epi64(both, both))));
    }
    // The low half 0; every lane of the high half lane 7.
    static Vector lane7IntoHighHalf(Vector a) {
        const __m128i high = _mm_shufflehi_epi16(a.half[0], 0xFF);
        return {{_mm_setzero_si128(), _mm_unpackhi_epi64(high, high)}};
    }
    // Lane i takes lane i - 1; lane 0 takes 0.
    static Vector lanesUp(Vector a) {
        return {{_mm_slli_si128(a.half[0], 2),
                 _mm_or_si128(_mm_slli_si128(a.half[1], 2), _mm_srli_si128(a.half[0], 14))}};
    }
    // Lane i takes lane i + 1; lane 15 takes 0.
    static Vector lanesDown(Vector a) {
        return {{_mm_or_si128(_mm_srli_si128(a.half[0], 2), _mm_slli_si128(a.half[1], 14)),
                 _mm_srli_si128(a.half[1], 2)}};
    }
    static std::uint16_t lane(Vector a, int i) {
        alignas(16) std::uint16_t lanes[16];
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes), a.half[0]);
        _mm_store_si128(reinterpret_cast<__m128i*>(lanes + 8), a.half[1]);
        return lanes[i];
    }
    static std::uint16_t lastLane(Vector a) {
        return static_cast<std::uint16_t>(_mm_extract_epi16(a.half[1], 7));
    }
};

#undef VANTOR_IN_EACH_HALF

} // namespace

void continueInSse2Lanes(TrackChecksum& sums, std::span<const std::uint8_t>& bytes) {
    continueInBlocks<Sse2>(sums, bytes);
}

// Here, in code built for every x86-64 processor, since the answer decides what may run.
bool hasAvx2Lanes() {
    static const bool present = __builtin_cpu_supports("avx2");
    return present;
}

} // namespace vantor
