#pragma once

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

inline constexpr std::string_view NotATrackFile = "This doesn't appear to be a valid KX7 track file!";
inline constexpr std::string_view NoCustomMagicData = "This track file does NOT contain custom magic data!";

// NotATrackFile, then the file's name and what was found in it.
std::string invalidTrackFile(const std::string& fileName, const std::string& finding);

// A bump value of 65535 reads back as the end mark, and everything behind it would be lost.
std::string bumpValueEndsTable(const std::string& fileName, int line);

} // namespace vantor::text
