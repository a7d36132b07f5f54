#pragma once

#include "magic_file.hpp"

#include <filesystem>
#include <ostream>
#include <vector>

namespace vantor::cli {

// Writes the custom magic data of a track file out as a magic data file, with the descriptions
// beside the values. Exit code 0 when written, 1 when the track holds no custom data or a file
// operation failed; no output file is written then.
int runExtract(const std::filesystem::path& track, const std::filesystem::path& output,
               const Descriptions& descriptions, std::ostream& err);

// Extracts each track into the folder as NAME.md2, NAME being the track's name without its
// extension; the folder is created when missing. Two tracks of one name are refused before
// anything is written. Exit code 0 when all were written, else 1.
int runExtractAll(const std::vector<std::filesystem::path>& tracks, const std::filesystem::path& outputFolder,
                  const Descriptions& descriptions, std::ostream& err);

} // namespace vantor::cli
