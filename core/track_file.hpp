#pragma once

#include "magic_block.hpp"
#include "messages.hpp"

#include <cstdint>
#include <filesystem>
#include <span>

namespace vantor {

enum class BackupChoice { None, CopyToBak };

enum class InsertResult {
    FileNotFound, // "File not found!" was shown; nothing happened
    Refused,      // the magic data file or the track file was refused with a message; nothing changed
    Inserted,
};

// Compiles the magic data file and splices the marked block into the track file, replacing the
// track's custom block if it has one. The new track file is built whole in memory and replaces
// the old one in one step. Expected problems are told through messages; file failures raise
// IoError, and the track file then stays as it was.
InsertResult InsertMagicFile(const std::filesystem::path& magicFile, const std::filesystem::path& trackFile,
                             BackupChoice backup, Messages& messages);

// True when the track file's magic data area starts with the marker. Raises IoError
// ("Read beyond end of file") when fewer than 4 bytes follow the area start.
bool holdsCustomMagicData(std::span<const std::uint8_t> track);

// The custom block of a track file that holds one: value area, bump entries and end mark. Raises
// IoError ("Read beyond end of file") when no end mark follows the value area.
MagicBlock customMagicBlock(std::span<const std::uint8_t> track);

} // namespace vantor
