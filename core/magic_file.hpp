#pragma once

#include "magic_block.hpp"
#include "messages.hpp"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The 130 value descriptions printed beside the values; entry k - 1 belongs to value k.
using Descriptions = std::array<std::string, MagicValueCount>;
inline constexpr std::size_t MaximumDescriptionLength = 255;

// Value k stands on line ValueLineOffset + k of a magic data file, bump entry j (from 0) on line
// FirstBumpLine + j.
inline constexpr int ValueLineOffset = 2;
inline constexpr int FirstBumpLine = ValueLineOffset + MagicValueCount + 4;

// The text of a magic data file for the block, CR LF line ends.
std::string formatMagicFile(const MagicBlock& block, const Descriptions& descriptions);

// Writes the magic data file, replacing an existing file in one step; an existing device or FIFO is
// written through instead. Raises IoError.
void WriteMagicFile(const MagicBlock& block, const Descriptions& descriptions,
                    const std::filesystem::path& path);

struct MagicCompilation {
    enum class Outcome { Compiled, NotAMagicFile, EndMarkInBumpTable };
    Outcome outcome;
    // The marked block, when compiled.
    std::vector<std::uint8_t> markedBlock;
    // The line that holds a bump value of 65535, which would read back as the end of the table.
    int endMarkLine = 0;
};

// Compiles the bytes of a magic data file into the marked block.
MagicCompilation compileMagicText(std::span<const std::uint8_t> source);

// The text a value line's number is read from: everything before the first ";", with the
// characters of code 32 or below removed from both ends. Empty when the line has no ";", which
// reads as 0 too.
std::optional<std::string_view> valueNumberText(std::string_view line);

// The bare block of a marked block: everything behind the marker.
MagicBlock bareBlockOf(std::span<const std::uint8_t> markedBlock);

// The descriptions on the value lines of a magic data file's bytes, read by position as the
// compiler reads the values: the text after the first ";", less the one space the writer puts
// there. A line without ";" has an empty description.
Descriptions readDescriptions(std::span<const std::uint8_t> source);

// Compiles the magic data file at source into the marked block, kept in memory. Empty, after
// telling the user why, when the source is refused. Raises IoError.
std::optional<std::vector<std::uint8_t>> CompileMagicFile(const std::filesystem::path& source,
                                                          Messages& messages);

} // namespace vantor
