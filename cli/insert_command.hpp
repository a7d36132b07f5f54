#pragma once

#include "track_file.hpp"

#include <filesystem>
#include <ostream>

namespace vantor::cli {

// Compiles the magic data file and splices it into the track file, as the desktop program's
// "Insert data" does. Exit code 0 when inserted, 1 when refused or failed (the track file then
// stays as it was).
int runInsert(const std::filesystem::path& track, const std::filesystem::path& magic, BackupChoice backup,
              std::ostream& err);

} // namespace vantor::cli
