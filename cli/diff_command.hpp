#pragma once

#include "source_steps.hpp"

#include <ostream>
#include <string_view>

namespace vantor::cli {

inline constexpr int DiffTrouble = 2;

// Prints the values in which the two sources differ, one a line with number, description and both
// values, then the bump table difference; or the same as JSON. Exit code 0 when they are equal, 1
// when they differ, DiffTrouble when one cannot be read.
int runDiff(std::string_view a, std::string_view b, const DescriptionOptions& descriptions,
            OutputFormat format, std::ostream& out, std::ostream& err);

} // namespace vantor::cli
