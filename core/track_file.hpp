#pragma once

#include "magic_block.hpp"
#include "messages.hpp"
#include "track_rewrite.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
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

// Makes the new marked block from the track's custom block as read under the track's lock, or
// tells messages why not and gives nothing.
using MagicBlockEdit = std::function<std::optional<std::vector<std::uint8_t>>(const MagicBlock& current)>;

// Splices the block that edit makes from the track's custom block into the track, reading and
// rewriting under one lock, so that a change made by another writer in between is never undone.
// A track without custom magic data is refused with a message and nothing changed.
InsertResult EditMagicBlock(const std::filesystem::path& trackFile, BackupChoice backup, Messages& messages,
                            const MagicBlockEdit& edit);

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

// Decides the splice of a block of blockSize bytes into a track of length bytes from its header
// (its first bytes, up to 28) and, asked only when the area starts inside the file, whether the
// area starts with the marker.
SplicePlan planSplice(std::uint64_t length, std::span<const std::uint8_t> header,
                      const std::function<bool()>& areaHoldsMarker, std::size_t blockSize);

// The same for a track's contents in memory.
SplicePlan planSplice(std::span<const std::uint8_t> track, std::size_t blockSize);

// The new track of length bytes: the front up to the cut, the block, then the tail but for its old
// checksum, with the header words at 8, 20 and 24 set on the way and the checksum renewed.
TrackRewrite splicing(std::uint64_t length, std::span<const std::uint8_t> block, const Splice& splice);

// The same, applied to a track's contents in memory.
std::vector<std::uint8_t> spliced(std::span<const std::uint8_t> track, std::span<const std::uint8_t> block,
                                  const Splice& splice);

// True when the track's magic data area starts with the marker. Raises IoError ("Read beyond end
// of file") when fewer than 4 bytes follow the area start.
bool holdsCustomMagicData(std::span<const std::uint8_t> track);

// The custom block of a track that holds one: value area, bump entries and end mark. Raises
// IoError ("Read beyond end of file") when no end mark follows the value area.
MagicBlock customMagicBlock(std::span<const std::uint8_t> track);

// True when the track file's magic data area starts with the marker, reading its header and the 4
// bytes alone. Raises IoError ("Read beyond end of file") when fewer than 4 bytes follow the area
// start.
bool trackHoldsCustomMagicData(const std::filesystem::path& trackFile);

// The custom block of a track file that holds one: value area, bump entries and end mark, read
// from the area alone. Raises IoError ("Read beyond end of file") when no end mark follows the
// value area.
MagicBlock readCustomMagicBlock(const std::filesystem::path& trackFile);

} // namespace vantor
