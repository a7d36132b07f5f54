#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the user sees, defined once.
namespace vantor::text {

inline constexpr std::string_view ApplicationTitle = "Vantor-2000";
inline constexpr std::string_view ErrorCaption = "Error";
inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view InformationCaption = "Information";
inline constexpr std::string_view ApplicationErrorCaption = "Application Error";

inline constexpr std::string_view FileNotFound = "File not found!";

inline constexpr std::string_view MagicFileHeader = "[kx7-2000 magic file]";
inline constexpr std::string_view BumpTableHeader = "[bumptable]";
inline constexpr std::string_view NotAMagicFile = "This file doesn't appear to be a valid KX7 Magic file!";

inline constexpr std::string_view NoInfoBlock = "Track doesn't contain KX7info data";

// The size check's note, naming the one size that the program works with.
std::string notTheRightExecutable(std::uint64_t expectedSize);

// A text that would end an info block field early and so break the block apart.
std::string infoTextBreaksBlock(std::string_view text);

// A bump value of 65535 reads back as the end mark, and everything behind it would be lost.
std::string bumpValueEndsTable(const std::string& fileName, int line);

} // namespace vantor::text
