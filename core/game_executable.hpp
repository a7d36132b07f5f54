#pragma once

#include "magic_block.hpp"
#include "messages.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace vantor {

inline constexpr std::uint64_t ExpectedExeSize = 9150464;
inline constexpr int ExeTrackCount = 17;

struct ExeTrackEntry {
    std::int32_t Offset;
    std::int32_t Size;
};

// Where each track's stock block lies in the executable; entry n - 1 belongs to track n.
extern const std::array<ExeTrackEntry, ExeTrackCount> ExeTrackTable;

// Tells the user (information message) when the named file is not of the expected size. Does
// nothing when no such file exists. Opens the file for reading alone. Raises IoError.
void CheckExeSize(const std::filesystem::path& exe, Messages& messages);

// The stock block of track 1 to 17. Opens the file for reading alone. Raises IoError ("Read
// beyond end of file" when the file ends before the range does).
MagicBlock ReadStockBlock(const std::filesystem::path& exe, int track);

// "magic2k_" + the two-digit track number + ".md2".
std::string stockFileName(int track);

} // namespace vantor
