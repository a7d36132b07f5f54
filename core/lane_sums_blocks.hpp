// The track checksum's sums in 16 vector lanes. Included by the units that supply the
// vector operations of one instruction set (lane_sums_sse2.cpp, lane_sums_avx2.cpp), each compiled for
// its own; everything here has internal linkage, so no code compiled for one set is shared.
//
// The rotating sum is one serial chain, a rotate and an add for every byte, so a plain loop runs at
// the latency of those two instructions. Here a 256-byte block is cut into 16 segments of 16
// bytes, and lane i runs the exact steps of segment i from a start that is guessed. The guesses are
// then checked: every lane's end must be the next lane's start. Lane 0 starts from the true sum, so
// when every check holds, every lane ran from its true start and the last lane's end is the true
// sum. A guess only decides how fast the block goes, never what it gives.
//
// The guesses: rotating a 16-bit value left by 3 is multiplying it by 8 modulo 65535, so as long as
// no addition carries out of bit 15, a segment ends at its start plus the sum of its bytes weighted
// 8^(15-j), that is 2^(3(15-j) mod 16), all modulo 65535. Those weighted sums need no start.
//
// An addition that carries (about once in 500 random bytes) breaks the guesses behind it. The first
// lane whose end is not the next lane's start ran from its true start, so its end is true: the
// lanes behind it are restarted from there and checked again.
//
// V is a 256-bit vector of two 128-bit halves, with operations that work on each half alone (as
// the 128-bit instructions do), plus the few that cross between the halves. Lane i of the 16
// lanes of 16 bits is element i % 8 of half i / 8.
#pragma once

#include "lane_sums.hpp"
#include "track_checksum.hpp"

#include <bit>
#include <cstdint>
#include <optional>
#include <span>

namespace vantor {
namespace {

template <class V> class LaneBlock {
public:
    using W = typename V::Vector;

    // Lanes 0-7 take segments 0-7 (the first 128 bytes), lanes 8-15 segments 8-15.
    explicit LaneBlock(const std::uint8_t* bytes) {
        W rows[8];
        for (int r = 0; r < 8; ++r) {
            rows[r] = V::loadHalves(bytes + 16 * r, bytes + 128 + 16 * r);
        }
        byteSum_ = byteSumOf(rows);
        transpose(rows);
        offsetsUpTo_ = prefixSums(offsetsOf(rows));
        offsetsBefore_ = V::lanesUp(offsetsUpTo_);
    }

    std::uint32_t byteSum() const { return byteSum_; }

    // None when the block's additions carry so often that its guesses keep breaking: such bytes
    // (long runs of FF, for one) go faster one after the other.
    std::optional<std::uint16_t> rotatingSum(std::uint16_t start) const {
        const W startInEveryLane = V::broadcast16(start);
        const W starts = onesComplementAdd(startInEveryLane, offsetsBefore_);
        const W ends = run(starts);
        const std::uint32_t broken = differences(ends, onesComplementAdd(startInEveryLane, offsetsUpTo_));
        if (broken == 0) [[likely]] {
            return onesComplementAdd(start, V::lastLane(offsetsUpTo_));
        }
        return repaired(starts, ends, broken);
    }

private:
    static constexpr int SegmentSize = 16;

    // Zero has two forms modulo 65535, 0 and FFFF; a guess in the other form only costs a retry.
    static std::uint16_t onesComplementAdd(std::uint16_t a, std::uint16_t b) {
        const std::uint32_t sum = std::uint32_t{a} + b;
        return static_cast<std::uint16_t>((sum & 0xFFFF) + (sum >> 16));
    }

    static W onesComplementAdd(W a, W b) {
        const W sum = V::add16(a, b);
        // Saturation leaves the sum alone exactly when nothing carried.
        const W noCarry = V::equal16(V::addSaturated16(a, b), sum);
        return V::add16(V::add16(sum, noCarry), V::broadcast16(1));
    }

    static W rotateLeft3(W x) {
        return V::bitOr(V::template shiftLeft16<3>(x), V::template shiftRight16<13>(x));
    }

    static W select(W mask, W ifSet, W ifClear) {
        return V::bitOr(V::bitAnd(mask, ifSet), V::bitAndNot(mask, ifClear));
    }

    // Two bits for every lane where a and b differ, lane i at bits 2i and 2i + 1.
    static std::uint32_t differences(W a, W b) { return ~V::byteSignBits(V::equal16(a, b)); }

    static int firstLane(std::uint32_t differenceBits) { return std::countr_zero(differenceBits) / 2; }

    static std::uint32_t byteSumOf(const W rows[8]) {
        W total = V::byteSums(rows[0]);
        for (int r = 1; r < 8; ++r) {
            total = V::add64(total, V::byteSums(rows[r]));
        }
        return V::sumOf64(total);
    }

    // Row r (byte j of segments r and 8 + r) becomes step j (byte j of every segment, one a lane).
    void transpose(const W rows[8]) {
        W pairs[8];
        for (int r = 0; r < 8; r += 2) {
            pairs[r] = V::interleaveLow8(rows[r], rows[r + 1]);
            pairs[r + 1] = V::interleaveHigh8(rows[r], rows[r + 1]);
        }
        W quads[8];
        for (int q = 0; q < 2; ++q) {
            const W* p = pairs + 4 * q;
            quads[4 * q] = V::interleaveLow16(p[0], p[2]);
            quads[4 * q + 1] = V::interleaveHigh16(p[0], p[2]);
            quads[4 * q + 2] = V::interleaveLow16(p[1], p[3]);
            quads[4 * q + 3] = V::interleaveHigh16(p[1], p[3]);
        }
        const W zero = V::broadcast16(0);
        for (int k = 0; k < 4; ++k) {
            const W low = V::interleaveLow32(quads[k], quads[k + 4]);
            const W high = V::interleaveHigh32(quads[k], quads[k + 4]);
            steps_[4 * k] = V::interleaveLow8(low, zero);
            steps_[4 * k + 1] = V::interleaveHigh8(low, zero);
            steps_[4 * k + 2] = V::interleaveLow8(high, zero);
            steps_[4 * k + 3] = V::interleaveHigh8(high, zero);
        }
    }

    // Each segment's end from a start of 0 when nothing carries: its bytes weighted 8^(15-j),
    // modulo 65535.
    static W offsetsOf(const W rows[8]) {
        const W zero = V::broadcast16(0);
        // 2^15 does not fit a signed 16-bit factor; -32767 is the same modulo 65535.
        const W lowWeights =
            V::inBothHalves16(1 << 13, 1 << 10, 1 << 7, 1 << 4, 1 << 1, 1 << 14, 1 << 11, 1 << 8);
        const W highWeights = V::inBothHalves16(1 << 5, 1 << 2, -32767, 1 << 12, 1 << 9, 1 << 6, 1 << 3, 1);
        W partial[8];
        for (int r = 0; r < 8; ++r) {
            partial[r] = V::add32(V::multiplyAdd16(V::interleaveLow8(rows[r], zero), lowWeights),
                                  V::multiplyAdd16(V::interleaveHigh8(rows[r], zero), highWeights));
        }
        W reduced[2];
        for (int h = 0; h < 2; ++h) {
            // From (-2^23, 2^24) into [0, 2^25), then folded twice into [0, 65535].
            W v = V::add32(sumsOfFour(partial + 4 * h), V::broadcast32(65535 * 256));
            for (int fold = 0; fold < 2; ++fold) {
                v = V::add32(V::bitAnd(v, V::broadcast32(0xFFFF)), V::template shiftRight32<16>(v));
            }
            // Zero as 0, not FFFF: a sum of 0 over zero bytes stays 0, and its guesses must too.
            v = V::bitAnd(V::add32(v, V::template shiftRight32<16>(V::add32(v, V::broadcast32(1)))),
                          V::broadcast32(0xFFFF));
            reduced[h] = V::lowHalvesSignExtended32(v);
        }
        return V::packSigned32(reduced[0], reduced[1]);
    }

    // The sums of the four 32-bit elements of each of four vectors, in each half.
    static W sumsOfFour(const W v[4]) {
        const W ab = V::add32(V::interleaveLow32(v[0], v[1]), V::interleaveHigh32(v[0], v[1]));
        const W cd = V::add32(V::interleaveLow32(v[2], v[3]), V::interleaveHigh32(v[2], v[3]));
        return V::add32(V::interleaveLow64(ab, cd), V::interleaveHigh64(ab, cd));
    }

    // Lane i: the offsets of lanes 0 to i.
    static W prefixSums(W v) {
        v = onesComplementAdd(v, V::template shiftUpInHalves<1>(v));
        v = onesComplementAdd(v, V::template shiftUpInHalves<2>(v));
        v = onesComplementAdd(v, V::template shiftUpInHalves<4>(v));
        return onesComplementAdd(v, V::lane7IntoHighHalf(v));
    }

    W run(W x) const {
        for (int j = 0; j < SegmentSize; ++j) {
            x = V::add16(rotateLeft3(x), steps_[j]);
        }
        return x;
    }

    // Random bytes carry about once a block, so this many repairs in one block mean dense carries.
    static constexpr int MostRepairs = 4;

    // Lanes up to the first broken one keep their starts, which were checked; the next one starts
    // at its true end and the later ones at that end plus the offsets in between. Only lanes after
    // the next one are checked again, so each round settles at least one more lane.
    std::optional<std::uint16_t> repaired(W starts, W ends, std::uint32_t broken) const {
        for (int repairs = 0; repairs < MostRepairs; ++repairs) {
            const int settled = firstLane(broken);
            const std::uint16_t end = V::lane(ends, settled);
            if (settled == 15) {
                return end;
            }
            const W endInEveryLane = V::broadcast16(end);
            const W base = onesComplementAdd(
                endInEveryLane, V::broadcast16(static_cast<std::uint16_t>(~V::lane(offsetsUpTo_, settled))));
            // The next lane takes the end itself, so that its start is exact in either form of zero.
            const W lanes = V::laneNumbers();
            const W guesses =
                select(V::equal16(lanes, V::broadcast16(static_cast<std::uint16_t>(settled + 1))),
                       endInEveryLane, onesComplementAdd(base, offsetsBefore_));
            starts = select(V::greater16(lanes, V::broadcast16(static_cast<std::uint16_t>(settled))), guesses,
                            starts);
            ends = run(starts);
            // The last lane has no next lane to agree with.
            const std::uint32_t unsettled = 0x3FFFFFFFu & ~0u << (2 * settled + 2);
            broken = differences(ends, V::lanesDown(starts)) & unsettled;
            if (broken == 0) {
                return V::lane(ends, 15);
            }
        }
        return std::nullopt;
    }

    W steps_[SegmentSize];
    W offsetsUpTo_;
    W offsetsBefore_;
    std::uint32_t byteSum_;
};

// Carries the sums on over the whole blocks at the front of bytes, and drops those from it; stops
// early at a block whose additions carry too often for the lanes.
template <class V> void continueInBlocks(TrackChecksum& sums, std::span<const std::uint8_t>& bytes) {
    std::uint32_t byteSum = sums.byteSum;
    std::uint16_t rotating = sums.rotatingSum;
    while (bytes.size() >= LaneBlockSize) {
        const LaneBlock<V> block(bytes.data());
        const std::optional<std::uint16_t> blockEnd = block.rotatingSum(rotating);
        if (!blockEnd) {
            break;
        }
        byteSum += block.byteSum();
        rotating = *blockEnd;
        bytes = bytes.subspan(LaneBlockSize);
    }
    sums = {static_cast<std::uint16_t>(byteSum), rotating};
}

} // namespace
} // namespace vantor
