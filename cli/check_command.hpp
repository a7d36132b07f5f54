#pragma once

#include "source_steps.hpp"

#include <filesystem>
#include <ostream>
#include <vector>

namespace vantor::cli {

inline constexpr int CheckUnreadable = 2;

// Prints what the lenient readers would get wrong in each file, one finding a line as
// "FILE:LINE: error: text" (a magic data file) or "FILE: error: text" (a track file), or as one
// JSON list of findings. Exit code 0 when nothing but notes was found, 1 when an error or warning
// was, CheckUnreadable when a file cannot be read (the others are still checked).
int runCheck(const std::vector<std::filesystem::path>& files, OutputFormat format, std::ostream& out,
             std::ostream& err);

} // namespace vantor::cli
