#pragma once

#include <optional>
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

// With exactly one argument naming an existing track file (".dat") or magic data file (".md2" or
// ".md"), any case: that file, which the window opens in the magic data editor once it is shown
// (a file manager's "Open with").
std::optional<std::string> fileToEditAtStart(const std::vector<std::string>& arguments);

} // namespace vantor::app
