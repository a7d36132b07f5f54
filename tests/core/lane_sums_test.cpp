#include "lane_sums.hpp"

#include "track_checksum.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace vantor {
namespace {

// The sums as defined, one byte at a time, to hold the blocked computation against.
TrackChecksum definitionSums(TrackChecksum sums, const std::vector<std::uint8_t>& bytes) {
    for (const std::uint8_t b : bytes) {
        sums.byteSum = static_cast<std::uint16_t>(sums.byteSum + b);
        sums.rotatingSum = static_cast<std::uint16_t>(RotateLeft16(sums.rotatingSum, 3) + b);
    }
    return sums;
}

// The running sums from a start, with the way they choose for this processor.
void continueRunning(TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
    RunningTrackChecksum running(sums);
    running.add(bytes);
    sums = running.value();
}

// The ways to carry the sums on: the one chosen for this processor, and each set of vector lanes
// this processor runs, its blocks followed by the chosen way for the bytes behind them.
struct Way {
    std::string name;
    std::function<void(TrackChecksum&, std::span<const std::uint8_t>)> continueSums;
};

std::vector<Way> waysHere() {
    std::vector<Way> ways = {{"chosen", continueRunning}};
#if defined(__x86_64__)
    const auto lanesThenRest = [](auto lanes) {
        return [lanes](TrackChecksum& sums, std::span<const std::uint8_t> bytes) {
            lanes(sums, bytes);
            continueRunning(sums, bytes);
        };
    };
    ways.push_back({"128-bit lanes", lanesThenRest(continueInSse2Lanes)});
    if (hasAvx2Lanes()) {
        ways.push_back({"256-bit lanes", lanesThenRest(continueInAvx2Lanes)});
    }
#endif
    return ways;
}

TrackChecksum continued(const Way& way, TrackChecksum sums, const std::vector<std::uint8_t>& bytes) {
    way.continueSums(sums, bytes);
    return sums;
}

struct BytePattern {
    std::string name;
    // Byte i of a run, given a random number.
    std::function<std::uint8_t(std::size_t i, std::uint32_t random)> byte;
};

// Each pattern drives the rotating sum through other carries: random bytes carry out of bit 15
// about once in 500 steps, runs of FF carry at almost every step, zeros never carry but keep a
// sum of 0 or FFFF where it is, and sparse bytes reach both forms of zero modulo 65535.
const std::vector<BytePattern> patterns = {
    {"random", [](std::size_t, std::uint32_t r) { return static_cast<std::uint8_t>(r); }},
    {"all FF", [](std::size_t, std::uint32_t) { return std::uint8_t{0xFF}; }},
    {"all zero", [](std::size_t, std::uint32_t) { return std::uint8_t{0}; }},
    {"FF or FE", [](std::size_t, std::uint32_t r) { return static_cast<std::uint8_t>(r & 1 ? 0xFF : 0xFE); }},
    {"sparse FF",
     [](std::size_t, std::uint32_t r) { return static_cast<std::uint8_t>(r % 7 == 0 ? 0xFF : 0); }},
    {"sparse random",
     [](std::size_t, std::uint32_t r) { return static_cast<std::uint8_t>(r % 3 == 0 ? r >> 8 : 0); }},
    {"counting", [](std::size_t i, std::uint32_t) { return static_cast<std::uint8_t>(i * 31 + i / 509); }},
};

TEST(LaneSumsTest, BlocksGiveTheSumsOfTheDefinitionForEveryStartAndLength) {
    std::mt19937 random(2000);
    const std::vector<std::uint16_t> starts = {0x0000, 0x0001, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF, 0x1BB3};
    // Lengths around the 256-byte block, and long runs where many blocks follow each other.
    const std::vector<std::size_t> lengths = {0, 1, 15, 16, 255, 256, 257, 511, 512, 513, 4096 + 17, 65536};
    for (const BytePattern& pattern : patterns) {
        for (const std::size_t length : lengths) {
            std::vector<std::uint8_t> bytes(length);
            for (std::size_t i = 0; i < length; ++i) {
                bytes[i] = pattern.byte(i, random());
            }
            for (const std::uint16_t start : starts) {
                const TrackChecksum from{static_cast<std::uint16_t>(start * 7), start};
                for (const Way& way : waysHere()) {
                    EXPECT_EQ(continued(way, from, bytes), definitionSums(from, bytes))
                        << way.name << ": " << pattern.name << ", " << length << " bytes from " << start;
                }
            }
        }
    }
}

TEST(LaneSumsTest, RandomRunsWithRandomStartsAgreeWithTheDefinition) {
    // Many short runs reach the rarer ways a block's guesses break: two carries in one block,
    // a carry in its last segment, an end of 0 where FFFF was guessed.
    std::mt19937 random(13);
    for (int run = 0; run < 3000; ++run) {
        const BytePattern& pattern = patterns[random() % patterns.size()];
        std::vector<std::uint8_t> bytes(256 * (1 + random() % 4) + random() % 3);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = pattern.byte(i, random());
        }
        const TrackChecksum from{static_cast<std::uint16_t>(random()), static_cast<std::uint16_t>(random())};
        for (const Way& way : waysHere()) {
            ASSERT_EQ(continued(way, from, bytes), definitionSums(from, bytes))
                << way.name << ": " << pattern.name << ", run " << run;
        }
    }
}

TEST(LaneSumsTest, PiecesOfAnySizeGiveTheSumsOfTheWhole) {
    std::mt19937 random(5);
    std::vector<std::uint8_t> bytes(10000);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    RunningTrackChecksum pieces;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t size = std::min<std::size_t>(bytes.size() - at, random() % 700);
        pieces.add(std::span(bytes).subspan(at, size));
        at += size;
    }
    EXPECT_EQ(pieces.value(), definitionSums({}, bytes));
}

} // namespace
} // namespace vantor
