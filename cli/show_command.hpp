#pragma once

#include "source_steps.hpp"

#include <ostream>
#include <string>
#include <vector>

namespace vantor::cli {

// Prints the 130 values of each source with number, description, encoding and range, and its bump
// table: a table to read, or JSON (one object for one source, a list of them for several). Exit
// code 0 when every source was shown, 1 when one could not be read (the others are still shown).
int runShow(const std::vector<std::string>& sources, const DescriptionOptions& descriptions,
            OutputFormat format, std::ostream& out, std::ostream& err);

} // namespace vantor::cli
