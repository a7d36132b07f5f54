#pragma once

#include "magic_block.hpp"
#include "magic_file.hpp"
#include "messages.hpp"

#include <filesystem>
#include <functional>

namespace vantor::cli {

// Runs a command's work and returns its exit code; a failed file operation is told as an error
// message with the system's text and gives exit code 1.
int reportingIoErrors(Messages& messages, const std::function<int()>& work);

// False, after "File not found!" naming the file, when nothing exists at path. Raises IoError when
// something other than a regular file is there or the system can't tell.
bool namedFileFound(const std::filesystem::path& path, Messages& messages);

// Writes the block as a magic data file to output, "-" meaning standard output. An output that is
// the same file as input is refused with a message. Returns the exit code. Raises IoError.
int writeMagicOutput(const MagicBlock& block, const Descriptions& descriptions,
                     const std::filesystem::path& output, const std::filesystem::path& input,
                     Messages& messages);

} // namespace vantor::cli
