#pragma once

#include "finding.hpp"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace vantor {

// The check that fits the file: a magic data file's when its name ends in ".md2" or ".md", a
// track file's otherwise.
std::vector<Finding> checkFileContents(std::span<const std::uint8_t> contents, const std::string& file);

} // namespace vantor
