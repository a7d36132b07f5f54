#pragma once

#include <filesystem>

namespace vantor::cli {

// The settings file of the desktop program installed beside this program, where its value
// descriptions live; empty when the program's own path is unknown.
std::filesystem::path desktopSettingsFile();

} // namespace vantor::cli
