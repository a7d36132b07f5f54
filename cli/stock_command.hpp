#pragma once

#include "magic_file.hpp"

#include <filesystem>
#include <ostream>
#include <string_view>

namespace vantor::cli {

inline constexpr int StockUsageError = 2;

// Writes the stock block of a track from the game executable as a magic data file, to output or,
// when output is empty, to magic2k_NN.md2 in the current folder. The number is read by the strict
// integer conversion. Exit code 0 when written, 1 when a file operation fails (nothing is then
// written), StockUsageError for a number that is not a track number from 1 to 17.
int runStock(const std::filesystem::path& exe, std::string_view number, const std::filesystem::path& output,
             const Descriptions& descriptions, std::ostream& err);

// Writes the stock data of track NUMBER, or of all 17 tracks for "all", under the usual names into
// the folder (the current folder when empty), which is created when missing. Stops at the first
// track that fails. Exit codes as runStock.
int runStockInto(const std::filesystem::path& exe, std::string_view number,
                 const std::filesystem::path& outputFolder, const Descriptions& descriptions,
                 std::ostream& err);

} // namespace vantor::cli
