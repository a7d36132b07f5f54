#pragma once

#include "messages.hpp"

#include <filesystem>

namespace vantor::cli {

// Creates the folder, and any missing folder above it, for a batch's outputs. False after a
// message naming the folder when it cannot be made.
bool createOutputFolder(const std::filesystem::path& folder, Messages& messages);

} // namespace vantor::cli
