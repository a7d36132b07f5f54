#pragma once

#include "messages.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace vantor::cli {

// Runs a command's work and returns its exit code; a failed file operation is told as an error
// message with the system's text and gives exit code 1.
int reportingIoErrors(Messages& messages, const std::function<int()>& work);

// The contents of a file the command works on, or none after "File not found!". Raises IoError.
std::optional<std::vector<std::uint8_t>> readNamedFile(const std::filesystem::path& path, Messages& messages);

} // namespace vantor::cli
