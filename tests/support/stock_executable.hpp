#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace vantor::testing {

// Where the game keeps each track's stock block, written out here on its own so that a wrong
// entry in the program's table shows up as wrong bytes.
struct StockRange {
    int track;
    std::uint64_t offset;
    std::size_t size;
    std::size_t bumpEntries;
};

inline constexpr std::array<StockRange, 17> StockRanges = {{
    {1, 1500436, 294, 8},
    {2, 1500732, 358, 24},
    {3, 1501092, 330, 17},
    {4, 1501424, 322, 15},
    {5, 1501748, 310, 12},
    {6, 1502060, 300, 10},
    {7, 1502364, 318, 14},
    {8, 1502684, 314, 13},
    {9, 1503000, 306, 11},
    {10, 1503308, 318, 14},
    {11, 1503628, 322, 15},
    {12, 1503952, 334, 18},
    {13, 1504288, 322, 15},
    {14, 1504612, 322, 15},
    {15, 1504936, 308, 12},
    {16, 1505248, 326, 16},
    {17, 1505576, 318, 14},
}};

inline constexpr std::uint64_t GameExeSize = 9150464;

// The bytes the synthetic executable holds in a track's range: different for every track and
// position, and never FF, so no word of them reads as an end mark.
std::vector<std::uint8_t> stockBytes(const StockRange& range);

// Creates a sparse file of the given size holding stockBytes in every range, as far as it fits.
void writeStockExecutable(const std::filesystem::path& path, std::uint64_t size = GameExeSize);

} // namespace vantor::testing
