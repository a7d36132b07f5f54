#pragma once

#include "finding.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantor {

// What would make the track file's magic data or checksum read wrong: header words that put the
// magic data area outside the file or into the checksum, a stored checksum that differs from the
// computed one, a custom block without an end mark or with a bump value equal to it, and an info
// block that cannot be read (a missing one is a note). Every finding has an offset, which its
// message names too.
std::vector<Finding> checkTrackContents(std::span<const std::uint8_t> contents, const std::string& file);

} // namespace vantor
