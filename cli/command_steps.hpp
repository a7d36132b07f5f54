#pragma once

#include "messages.hpp"

#include <filesystem>
#include <functional>

namespace vantor::cli {

// Runs a command's work and returns its exit code; a failed file operation is told as an error
// message with the system's text and gives exit code 1.
int reportingIoErrors(Messages& messages, const std::function<int()>& work);

// True when the file the command works on exists; false after "File not found!".
bool namedFileExists(const std::filesystem::path& path, Messages& messages);

} // namespace vantor::cli
