#pragma once

#include "magic_file.hpp"

#include <filesystem>
#include <ostream>

namespace vantor::cli {

// Writes the custom magic data of a track file out as a magic data file, with the descriptions
// beside the values. Exit code 0 when written, 1 when the track holds no custom data or a file
// operation failed; no output file is written then.
int runExtract(const std::filesystem::path& track, const std::filesystem::path& output,
               const Descriptions& descriptions, std::ostream& err);

} // namespace vantor::cli
