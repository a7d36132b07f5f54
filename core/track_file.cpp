#include "track_file.hpp"

#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "magic_file.hpp"
#include "platform.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"
#include "track_rewrite.hpp"

#include <algorithm>
#include <array>
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

// S, read from the header alone.
std::uint64_t areaStartOf(ReadOnlyFile& file) {
    std::array<std::uint8_t, 4> word{};
    file.readAt(AreaStartOffset, word);
    return readU32(word, 0);
}

bool holdsCustomMagicData(ReadOnlyFile& track) {
    std::array<std::uint8_t, MagicMarker.size()> marker{};
    track.readAt(areaStartOf(track) + AreaBias, marker);
    return startsWithMagicMarker(marker);
}

MagicBlock readCustomMagicBlock(ReadOnlyFile& file) {
    const std::uint64_t first = areaStartOf(file) + ValueAreaStart;
    // The end mark is the only length the block has: the words behind the value area are read in
    // growing pieces until it shows.
    std::vector<std::uint8_t> piece(4096);
    for (std::uint64_t at = first + ValueAreaSize;;) {
        const std::uint64_t left = file.size() > at ? file.size() - at : 0;
        // A word cut off by the end of the file can't be read.
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), left & ~std::uint64_t{1}));
        if (count == 0) {
            throw IoError(IoError::ReadBeyondEnd);
        }
        file.readAt(at, std::span(piece).first(count));
        for (std::size_t word = 0; word < count; word += 2) {
            if (readU16(piece, word) == EndMark) {
                std::vector<std::uint8_t> bytes(static_cast<std::size_t>(at + word + 2 - first));
                file.readAt(first, bytes);
                return MagicBlock(std::move(bytes));
            }
        }
        at += count;
        piece.resize(std::min(piece.size() * 2, FileChunkSize));
    }
}

// Copies the track's contents to its backup file. The user asked for a copy, so going on without
// one would be a failure reported as success: false, after a message naming the file and the
// reason, when it can't be made.
bool madeBackup(const fs::path& trackFile, LockedFile& track, Messages& messages) {
    const fs::path backupFile = backupPathOf(trackFile);
    try {
        // A track named *.bak would be its own backup, and the copy would then be replaced too.
        if (sameFile(backupFile, trackFile)) {
            messages.show(MessageKind::Error, text::backupFailed(platform::utf8FromPath(backupFile),
                                                                 "it is the track file itself"));
            return false;
        }
        const std::uint64_t length = track.size();
        replaceFileWith(backupFile, "backup file",
                        [&](NewContents& backup) { backup.appendCopy(track, 0, length); });
        return true;
    } catch (const IoError& error) {
        messages.show(MessageKind::Error,
                      text::backupFailed(platform::utf8FromPath(backupFile), error.reason()));
        return false;
    }
}

// The marked block to splice in, made from the track as read under its lock; nothing after a message.
using BlockFor = std::function<std::optional<std::vector<std::uint8_t>>(LockedFile&)>;

// Splices the block that blockFor makes into the track. The lock is held from the first read until
// the new track is in place, so that no other rewrite of the track is lost.
InsertResult spliceUnderLock(const fs::path& trackFile, BackupChoice backup, Messages& messages,
                             const BlockFor& blockFor) {
    if (!regularFileFound(trackFile)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return InsertResult::FileNotFound;
    }
    LockedFile locked(trackFile);
    const std::optional<std::vector<std::uint8_t>> block = blockFor(locked);
    if (!block) {
        return InsertResult::Refused;
    }
    const std::uint64_t length = locked.size();
    std::array<std::uint8_t, HeaderSize> header{};
    const auto headerRead = std::span(header).first(static_cast<std::size_t>(std::min(length, HeaderSize)));
    locked.readAt(0, headerRead);

    const SplicePlan plan = planSplice(
        length, headerRead, [&] { return holdsCustomMagicData(locked); }, block->size());
    if (!plan.splice) {
        messages.show(MessageKind::Error,
                      text::invalidTrackFile(platform::utf8FromPath(trackFile), plan.refusal));
        return InsertResult::Refused;
    }
    const TrackRewrite rewrite = splicing(length, *block, *plan.splice);

    if (backup == BackupChoice::CopyToBak && !madeBackup(trackFile, locked, messages)) {
        return InsertResult::BackupFailed;
    }
    clearReadOnly(trackFile);
    rewrite.applyTo(locked);
    return InsertResult::Inserted;
}

} // namespace

TrackRewrite splicing(std::uint64_t length, std::span<const std::uint8_t> block, const Splice& splice) {
    TrackRewrite rewrite;
    rewrite.keep(0, splice.cut);
    rewrite.insert(block);
    rewrite.keep(splice.tail, length - ChecksumSize - splice.tail);
    rewrite.setWord(ChecksumPositionOffset, static_cast<std::uint32_t>(rewrite.newLength() - ChecksumSize));
    rewrite.setWord(AreaStartOffset, splice.insertionPoint);
    rewrite.setWord(AreaEndOffset, static_cast<std::uint32_t>(splice.insertionPoint + block.size()));
    return rewrite;
}

std::vector<std::uint8_t> spliced(std::span<const std::uint8_t> track, std::span<const std::uint8_t> block,
                                  const Splice& splice) {
    return splicing(track.size(), block, splice).applyTo(track);
}

// All offsets are 64-bit, so that a word near 2^32 can't wrap round to a harmless-looking offset.
SplicePlan planSplice(std::uint64_t length, std::span<const std::uint8_t> header,
                      const std::function<bool()>& areaHoldsMarker, std::size_t blockSize) {
    if (length < HeaderSize) {
        return {std::nullopt, "the file is " + std::to_string(length) + " bytes long, too short for the " +
                                  std::to_string(HeaderSize) + " bytes of the track header."};
    }
    const std::uint64_t checksumStart = length - ChecksumSize;
    const std::uint32_t start = readU32(header, AreaStartOffset);
    const std::uint32_t end = readU32(header, AreaEndOffset);
    const std::uint64_t areaStart = start + AreaBias;
    const std::uint64_t areaEnd = end + AreaBias;
    if (areaEnd > checksumStart) {
        return {std::nullopt,
                "the magic data area ends at offset " + std::to_string(areaEnd) +
                    (areaEnd > length ? ", behind the end of the file (" + std::to_string(length) + " bytes)."
                                      : ", inside the checksum in the last 4 bytes.")};
    }
    // The marker of an area that starts right at the checksum can still be read: the checksum's 4
    // bytes are compared with it. One that starts later has fewer than 4 bytes behind it.
    if (areaStart > checksumStart && areaStart < length) {
        return {std::nullopt, "the magic data area starts at offset " + std::to_string(areaStart) +
                                  ", inside the checksum in the last 4 bytes."};
    }
    if (length + blockSize > std::numeric_limits<std::uint32_t>::max()) {
        return {std::nullopt, "the file would grow past the 4 GB that its header words can address."};
    }
    // An area start at or behind the end of the file means no custom data: the block goes behind E.
    const bool custom = areaStart < length && areaHoldsMarker();
    if (custom && start > end) {
        return {std::nullopt, "its custom magic data starts at offset " + std::to_string(areaStart) +
                                  ", behind the end of its magic data area at offset " +
                                  std::to_string(areaEnd) + "."};
    }
    const std::uint32_t point = custom ? start : end;
    return {Splice{point, point + AreaBias, areaEnd}, {}};
}

SplicePlan planSplice(std::span<const std::uint8_t> track, std::size_t blockSize) {
    return planSplice(
        track.size(),
        track.first(static_cast<std::size_t>(std::min<std::uint64_t>(track.size(), HeaderSize))),
        [&] { return holdsCustomMagicData(track); }, blockSize);
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
        messages.show(MessageKind::Error, text::backupFailed(platform::utf8FromPath(backupPathOf(trackFile)),
                                                             "it is the magic data file"));
        return InsertResult::BackupFailed;
    }
    return InsertMagicBlock(*block, trackFile, backup, messages);
}

InsertResult InsertMagicBlock(std::span<const std::uint8_t> block, const fs::path& trackFile,
                              BackupChoice backup, Messages& messages) {
    return spliceUnderLock(trackFile, backup, messages, [&](LockedFile&) {
        return std::optional<std::vector<std::uint8_t>>(std::in_place, block.begin(), block.end());
    });
}

InsertResult EditMagicBlock(const fs::path& trackFile, BackupChoice backup, Messages& messages,
                            const MagicBlockEdit& edit) {
    return spliceUnderLock(trackFile, backup, messages,
                           [&](LockedFile& locked) -> std::optional<std::vector<std::uint8_t>> {
                               if (!holdsCustomMagicData(locked)) {
                                   messages.show(MessageKind::Error, text::NoCustomMagicData);
                                   return std::nullopt;
                               }
                               return edit(readCustomMagicBlock(locked));
                           });
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

bool trackHoldsCustomMagicData(const fs::path& trackFile) {
    ReadOnlyFile file(trackFile);
    return holdsCustomMagicData(file);
}

MagicBlock readCustomMagicBlock(const fs::path& trackFile) {
    ReadOnlyFile file(trackFile);
    return readCustomMagicBlock(file);
}

} // namespace vantor
