#pragma once

#include "messages.hpp"

#include <filesystem>

namespace vantor {

// True, after an error message naming both, when output names the same file as input (the same
// path, a link to it or a hard link): writing it would destroy what is being read. Raises IoError
// when the system can't tell.
bool outputIsInput(const std::filesystem::path& output, const std::filesystem::path& input,
                   Messages& messages);

} // namespace vantor
