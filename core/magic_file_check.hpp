#pragma once

#include "finding.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantor {

// What the lenient compiler would silently read differently from what the magic data file's text
// shows, in line order: the header, numbers read only in part, value lines without ";", values
// outside their encoding's range, the lines between the values and the bump table, bump lines,
// and a byte 1A with text behind it. Every finding names file and has a line.
std::vector<Finding> checkMagicText(std::span<const std::uint8_t> source, const std::string& file);

} // namespace vantor
