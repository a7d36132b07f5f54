#pragma once

#include "magic_block.hpp"
#include "messages.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

enum class BackupChoice { None, CopyToBak };

enum class InsertResult {
    FileNotFound, // "File not found!" was shown; nothing happened
    Refused,      // the magic data file or the track file was refused with a message; nothing changed
    BackupFailed, // the backup asked for could not be written, as a message said; nothing changed
    Inserted,
};

// Compiles the magic data file and splices the marked block into the track file, replacing the
// track's custom block if it has one. The new track file is built whole in memory and replaces
// the old one in one step. Expected problems are told through messages; file failures raise
// IoError, and the track file then stays as it was.
InsertResult InsertMagicFile(const std::filesystem::path& magicFile, const std::filesystem::path& trackFile,
                             BackupChoice backup, Messages& messages);

// Splices an already compiled marked block into the track file, as InsertMagicFile does after
// compiling.
InsertResult InsertMagicBlock(std::span<const std::uint8_t> markedBlock,
                              const std::filesystem::path& trackFile, BackupChoice backup,
                              Messages& messages);

// Where a marked block goes: the file is cut at cut, the block follows, then the tail from tail on.
struct Splice {
    std::uint32_t insertionPoint = 0;
    std::uint64_t cut = 0;
    std::uint64_t tail = 0;
};

struct SplicePlan {
    std::optional<Splice> splice;
    // Why the contents can't be a track file, when there is no splice.
    std::string refusal;
};

// Decides the splice of a block of blockSize bytes from the track's header words.
SplicePlan planSplice(std::span<const std::uint8_t> track, std::size_t blockSize);

// The new track contents: block spliced in, header words at 8, 20 and 24 set, checksum renewed.
std::vector<std::uint8_t> spliced(std::span<const std::uint8_t> track, std::span<const std::uint8_t> block,
                                  const Splice& splice);

// True when the track file's magic data area starts with the marker. Raises IoError
// ("Read beyond end of file") when fewer than 4 bytes follow the area start.
bool holdsCustomMagicData(std::span<const std::uint8_t> track);

// The custom block of a track file that holds one: value area, bump entries and end mark. Raises
// IoError ("Read beyond end of file") when no end mark follows the value area.
MagicBlock customMagicBlock(std::span<const std::uint8_t> track);

} // namespace vantor
