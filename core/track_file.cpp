#include "track_file.hpp"

#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "magic_file.hpp"
#include "platform.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"

#include <limits>
#include <optional>
#include <string>
#include <vector>

// Track file layout, as far as magic data goes (L = file length, little-endian words):
//   offset  8  u32  checksum position: L - 4
//   offset 20  u32  S, area start: the magic data area begins at file offset S + 32
//   offset 24  u32  E, area end: the area ends (exclusive) at file offset E + 32
//   S + 32          the area: "QZ02" when it holds custom magic data, then the 260-byte value
//                   area (S + 36), the bump entries (S + 296, 4 bytes each) and the end mark FFFF
//   E + 32 .. L     the tail: the track's later data and its info block, moved whole
//   L - 4           checksum: byte sum and rotating sum over everything in front of it
// A track without custom data keeps whatever lies between S and E; the new block goes behind it.

namespace vantor {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t ChecksumPositionOffset = 8;
constexpr std::uint64_t AreaStartOffset = 20;
constexpr std::uint64_t AreaEndOffset = 24;
constexpr std::uint64_t HeaderSize = AreaEndOffset + 4;
// The area words count from this file offset.
constexpr std::uint64_t AreaBias = 32;
constexpr std::uint64_t ValueAreaStart = AreaBias + MagicMarker.size();
constexpr std::uint64_t BumpTableStart = ValueAreaStart + ValueAreaSize;

fs::path backupPathOf(fs::path track) {
    return track.replace_extension(".bak");
}

// Copies the track's contents to its backup file. The user asked for a copy, so going on without
// one would be a failure reported as success: false, after a message naming the file and the
// reason, when it can't be made.
bool madeBackup(const fs::path& trackFile, std::span<const std::uint8_t> track, Messages& messages) {
    const fs::path backupFile = backupPathOf(trackFile);
    try {
        // A track named *.bak would be its own backup, and the copy would then be replaced too.
        if (sameFile(backupFile, trackFile)) {
            messages.show(MessageKind::Error, text::backupFailed(platform::utf8FromPath(backupFile),
                                                                 "it is the track file itself"));
            return false;
        }
        replaceFile(backupFile, track, "backup file");
        return true;
    } catch (const IoError& error) {
        messages.show(MessageKind::Error,
                      text::backupFailed(platform::utf8FromPath(backupFile), error.reason()));
        return false;
    }
}

} // namespace

// All offsets are 64-bit, so that a word near 2^32 can't wrap round to a harmless-looking offset.
SplicePlan planSplice(std::span<const std::uint8_t> track, std::size_t blockSize) {
    const std::uint64_t length = track.size();
    if (length < HeaderSize) {
        return {std::nullopt, "the file is " + std::to_string(length) + " bytes long, too short for the " +
                                  std::to_string(HeaderSize) + " bytes of the track header."};
    }
    const std::uint64_t checksumStart = length - ChecksumSize;
    const std::uint32_t start = readU32(track, AreaStartOffset);
    const std::uint32_t end = readU32(track, AreaEndOffset);
    const std::uint64_t areaStart = start + AreaBias;
    const std::uint64_t areaEnd = end + AreaBias;
    if (areaEnd > checksumStart) {
        return {std::nullopt,
                "the magic data area ends at offset " + std::to_string(areaEnd) +
                    (areaEnd > length ? ", behind the end of the file (" + std::to_string(length) + " bytes)."
                                      : ", inside the checksum in the last 4 bytes.")};
    }
    // This also refuses an area start with fewer than 4 bytes behind it, whose marker can't be read.
    if (areaStart >= checksumStart && areaStart < length) {
        return {std::nullopt, "the magic data area starts at offset " + std::to_string(areaStart) +
                                  ", inside the checksum in the last 4 bytes."};
    }
    if (length + blockSize > std::numeric_limits<std::uint32_t>::max()) {
        return {std::nullopt, "the file would grow past the 4 GB that its header words can address."};
    }
    // An area start at or behind the end of the file means no custom data: the block goes behind E.
    const bool custom = areaStart < length && holdsCustomMagicData(track);
    if (custom && start > end) {
        return {std::nullopt, "its custom magic data starts at offset " + std::to_string(areaStart) +
                                  ", behind the end of its magic data area at offset " +
                                  std::to_string(areaEnd) + "."};
    }
    const std::uint32_t point = custom ? start : end;
    return {Splice{point, point + AreaBias, areaEnd}, {}};
}

std::vector<std::uint8_t> spliced(std::span<const std::uint8_t> track, std::span<const std::uint8_t> block,
                                  const Splice& splice) {
    std::vector<std::uint8_t> result;
    result.reserve(splice.cut + block.size() + (track.size() - splice.tail));
    result.insert(result.end(), track.begin(), track.begin() + static_cast<std::ptrdiff_t>(splice.cut));
    result.insert(result.end(), block.begin(), block.end());
    result.insert(result.end(), track.begin() + static_cast<std::ptrdiff_t>(splice.tail), track.end());

    writeU32(result, ChecksumPositionOffset, static_cast<std::uint32_t>(result.size() - ChecksumSize));
    writeU32(result, AreaStartOffset, splice.insertionPoint);
    writeU32(result, AreaEndOffset, static_cast<std::uint32_t>(splice.insertionPoint + block.size()));
    renewTrackChecksum(result);
    return result;
}

InsertResult InsertMagicFile(const fs::path& magicFile, const fs::path& trackFile, BackupChoice backup,
                             Messages& messages) {
    if (!regularFileFound(magicFile) || !regularFileFound(trackFile)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return InsertResult::FileNotFound;
    }

    const std::optional<std::vector<std::uint8_t>> block = CompileMagicFile(magicFile, messages);
    if (!block) {
        return InsertResult::Refused;
    }
    // The backup would replace the magic data file that the user may still want to edit.
    if (backup == BackupChoice::CopyToBak && sameFile(backupPathOf(trackFile), magicFile)) {
        messages.show(MessageKind::Error,
                      text::backupFailed(backupPathOf(trackFile).string(), "it is the magic data file"));
        return InsertResult::BackupFailed;
    }
    return InsertMagicBlock(*block, trackFile, backup, messages);
}

InsertResult InsertMagicBlock(std::span<const std::uint8_t> block, const fs::path& trackFile,
                              BackupChoice backup, Messages& messages) {
    if (!regularFileFound(trackFile)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return InsertResult::FileNotFound;
    }
    // Held until the new track is in place, so that no other rewrite of the track is lost.
    LockedFile locked(trackFile);
    const std::vector<std::uint8_t> track = locked.read();

    const SplicePlan plan = planSplice(track, block.size());
    if (!plan.splice) {
        messages.show(MessageKind::Error,
                      text::invalidTrackFile(platform::utf8FromPath(trackFile), plan.refusal));
        return InsertResult::Refused;
    }
    const std::vector<std::uint8_t> contents = spliced(track, block, *plan.splice);

    if (backup == BackupChoice::CopyToBak && !madeBackup(trackFile, track, messages)) {
        return InsertResult::BackupFailed;
    }
    clearReadOnly(trackFile);
    locked.replace(contents, "track file");
    return InsertResult::Inserted;
}

bool holdsCustomMagicData(std::span<const std::uint8_t> track) {
    const std::uint64_t areaStart = readU32(track, AreaStartOffset) + AreaBias;
    return startsWithMagicMarker(byteRange(track, areaStart, MagicMarker.size()));
}

MagicBlock customMagicBlock(std::span<const std::uint8_t> track) {
    const std::uint64_t start = readU32(track, AreaStartOffset);
    // The end mark is the only length the block has; readU16 raises when the file ends first.
    std::uint64_t at = start + BumpTableStart;
    while (readU16(track, at) != EndMark) {
        at += 2;
    }
    const std::uint64_t first = start + ValueAreaStart;
    const auto bytes = byteRange(track, first, at + 2 - first);
    return MagicBlock(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

} // namespace vantor
