#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace vantor::cli {

inline constexpr int SetUsageError = 2;

// Changes values ("NUMBER=VALUE", NUMBER 1 to 130, VALUE an integer) and, given a bump table file
// of "first,second" lines, the bump table of a track's custom block (the track rewritten as an
// insertion rewrites it) or of a magic data file (only the changed numbers and the bump lines
// replaced). Exit code 0 when changed; 1 when refused (a value outside its encoding's range, a
// file that cannot be read or holds no magic data) with nothing changed; SetUsageError for an
// assignment that is not NUMBER=VALUE or nothing to change.
int runSet(const std::filesystem::path& target, const std::vector<std::string>& assignments,
           const std::filesystem::path& bumpTableFile, std::ostream& err);

} // namespace vantor::cli
