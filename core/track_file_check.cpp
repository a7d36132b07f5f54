#include "track_file_check.hpp"

#include "info_block.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "magic_block.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"

#include <algorithm>
#include <optional>

// The header words of a track file (offsets 20 and 24: the magic data area's start S and end E,
// counting from file offset 32), its custom block at S + 32 ("QZ02", 260 value bytes, 4-byte
// bump entries, end mark FFFF) and its checksum in the last 4 bytes; see track_file.cpp.

namespace vantor {

namespace {

constexpr std::uint64_t AreaStartOffset = 20;
constexpr std::uint64_t AreaEndOffset = 24;
constexpr std::uint64_t HeaderSize = AreaEndOffset + 4;
constexpr std::uint64_t AreaBias = 32;
constexpr std::uint64_t BumpTableOffset = MagicMarker.size() + ValueAreaSize;
// The info block closes with the '#' in front of the checksum.
constexpr std::uint64_t InfoCloseDistance = ChecksumSize + 1;

std::string at(std::uint64_t offset) {
    return "offset " + std::to_string(offset);
}

void checkChecksum(FindingList& findings, std::span<const std::uint8_t> contents) {
    const TrackChecksum stored = storedTrackChecksum(contents);
    const TrackChecksum computed = computeTrackChecksum(contents);
    if (stored != computed) {
        findings.atOffset(contents.size() - ChecksumSize, Severity::Error,
                          "the stored checksum " + checksumText(stored) + " at " +
                              at(contents.size() - ChecksumSize) + " differs from the computed " +
                              checksumText(computed));
    }
}

// The custom block's end mark is its only length: it should be the last word of the area.
void checkCustomBlock(FindingList& findings, std::span<const std::uint8_t> contents, std::uint64_t areaStart,
                      std::uint64_t areaEnd) {
    const std::uint64_t bumpTable = areaStart + BumpTableOffset;
    std::optional<std::uint64_t> endMark;
    for (std::uint64_t word = bumpTable; word + 2 <= contents.size(); word += 2) {
        if (readU16(contents, word) == EndMark) {
            endMark = word;
            break;
        }
    }
    if (!endMark) {
        findings.atOffset(areaStart, Severity::Error,
                          "the custom magic data at " + at(areaStart) +
                              " has no end mark FFFF behind its values: it runs to the end of the file");
        return;
    }
    const std::uint64_t blockEnd = *endMark + 2;
    if (blockEnd == areaEnd) {
        return;
    }
    if (blockEnd > areaEnd) {
        findings.atOffset(areaEnd, Severity::Error,
                          "the custom magic data at " + at(areaStart) + " runs past the end of its area at " +
                              at(areaEnd) + " to its end mark at " + at(*endMark));
        return;
    }
    const bool areaEndsInMark = areaEnd >= bumpTable + 2 && (areaEnd - 2 - bumpTable) % BumpEntrySize == 0 &&
                                readU16(contents, areaEnd - 2) == EndMark;
    if (areaEndsInMark) {
        const std::uint64_t entry = (*endMark - bumpTable) / BumpEntrySize;
        const std::uint64_t lost = (areaEnd - 2 - bumpTable) / BumpEntrySize - entry;
        findings.atOffset(*endMark, Severity::Error,
                          "bump entry " + std::to_string(entry + 1) + " holds 65535 at " + at(*endMark) +
                              ", the end mark: the bump table is read as ending there and the " +
                              std::to_string(lost) + " entries from it on are lost");
        return;
    }
    findings.atOffset(blockEnd, Severity::Warning,
                      "the custom magic data ends at " + at(blockEnd) + ", before the end of its area at " +
                          at(areaEnd));
}

void checkInfoBlock(FindingList& findings, std::span<const std::uint8_t> contents) {
    const std::uint64_t close = contents.size() - InfoCloseDistance;
    try {
        if (!parseInfoBlock(contents)) {
            findings.atOffset(close, Severity::Note,
                              "no info block: there is no \"#\" at " + at(close) +
                                  ", in front of the checksum");
        }
    } catch (const IoError& error) {
        findings.atOffset(close, Severity::Error,
                          "the info block closed by the \"#\" at " + at(close) +
                              " cannot be read: " + error.what());
    }
}

} // namespace

std::vector<Finding> checkTrackContents(std::span<const std::uint8_t> contents, const std::string& file) {
    FindingList findings(file);
    const SplicePlan plan = planSplice(contents, 0);
    if (!plan.splice) {
        const std::uint64_t offset =
            contents.size() < HeaderSize                                                   ? 0
            : readU32(contents, AreaEndOffset) + AreaBias + ChecksumSize > contents.size() ? AreaEndOffset
                                                                                           : AreaStartOffset;
        findings.atOffset(offset, Severity::Error,
                          contents.size() < HeaderSize
                              ? plan.refusal
                              : "the header words at offsets 20 and 24 are wrong: " + plan.refusal);
    }
    if (contents.size() >= MinimumChecksummedSize) {
        checkChecksum(findings, contents);
        checkInfoBlock(findings, contents);
    }
    if (plan.splice) {
        const std::uint64_t areaStart = readU32(contents, AreaStartOffset) + AreaBias;
        const std::uint64_t areaEnd = readU32(contents, AreaEndOffset) + AreaBias;
        if (areaStart < contents.size() && holdsCustomMagicData(contents)) {
            checkCustomBlock(findings, contents, areaStart, areaEnd);
        }
    }
    return findings.take();
}

} // namespace vantor
