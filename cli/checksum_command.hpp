#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

namespace vantor::cli {

enum class ChecksumAction { Verify, Fix };

// Prints the stored and the computed checksum of a track file. Exit code 0 when they match (or
// were renewed by Fix), 1 when they differ or the file cannot be read.
int runChecksum(const std::filesystem::path& track, ChecksumAction action, std::ostream& out,
                std::ostream& err);

// runChecksum for each track, each one's lines under a line with its name when there are several.
// The highest exit code counts.
int runChecksums(const std::vector<std::filesystem::path>& tracks, ChecksumAction action, std::ostream& out,
                 std::ostream& err);

} // namespace vantor::cli
