#pragma once

#include "magic_file.hpp"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace vantor {

inline constexpr std::string_view SettingsFileName = "vantor2000.ini";

struct Settings {
    std::string gameExePath;
    std::string lastDir;
    Descriptions descriptions;
};

// The settings file of a program installed in programFolder: the file beside the program when one
// is there (a portable copy), otherwise the file in the user's configuration folder. A writable
// program folder is no reason to write there: an installed program would put files into
// /usr/bin when run as root.
std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder);

// A missing or unreadable file gives empty settings. Descriptions are taken as raw bytes and cut
// to their first 255 characters.
Settings readSettings(const std::filesystem::path& file);

// Writes the two configuration values, leaving every other line of the file as it was; a file
// that holds both already is not written at all. Raises SettingsWriteError.
void writeSettings(const std::filesystem::path& file, std::string_view gameExePath, std::string_view lastDir);

// "Unable to write to %s" with the settings file's path.
class SettingsWriteError : public std::runtime_error {
public:
    explicit SettingsWriteError(const std::filesystem::path& file);
};

} // namespace vantor
