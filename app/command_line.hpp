#pragma once

#include <string>
#include <vector>

#include "messages.hpp"

namespace vantor::app {

// Set by RunCommandLine when the program was given exactly two arguments: the run then ends
// without a window.
inline bool CommandLineMode = false;

// With exactly two arguments, a track file (".dat") and a magic data file (".md2" or ".md"), in
// either order and any case, both existing files: inserts the magic data into the track, without
// a backup. Anything else with two arguments does nothing. Raises IoError.
void RunCommandLine(const std::vector<std::string>& arguments, Messages& messages);

} // namespace vantor::app
