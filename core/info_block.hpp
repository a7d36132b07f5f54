#pragma once

#include "messages.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The key=value lines of a track's info block, in file order. Names are matched without regard
// to case; the first match counts.
class InfoList {
public:
    const std::vector<std::string>& lines() const { return lines_; }
    void append(std::string line) { lines_.push_back(std::move(line)); }
    void clear() { lines_.clear(); }
    // The value of the first line whose name matches, or empty.
    std::string value(std::string_view name) const;
    bool contains(std::string_view name) const;
    // Replaces the first matching line, appends a new one, or deletes the first match for an
    // empty value.
    void setValue(std::string_view name, std::string_view value);
    bool operator==(const InfoList&) const = default;

private:
    std::vector<std::string> lines_;
};

struct InfoBlock {
    InfoList list;
    // The offset of the tag's '#'.
    std::uint64_t start = 0;
};

// The info block of a track file's contents; empty when no '#' stands 5 bytes before the end.
// Raises IoError ("Read beyond end of file") for fewer than 5 bytes, when no zero byte followed by
// '#' precedes that '#', or when the block runs off the end.
std::optional<InfoBlock> parseInfoBlock(std::span<const std::uint8_t> contents);

// The contents with everything from infoStart on replaced by the block written from list and a
// renewed checksum. The word at offset 8 follows the new length when it held the old length - 4.
// Raises IoError ("Read beyond end of file") when no block and checksum fit behind infoStart, and
// std::invalid_argument when a name or value holds '|' or '#', which would break the block apart.
std::vector<std::uint8_t> withInfoBlock(std::span<const std::uint8_t> contents, const InfoList& list,
                                        std::uint64_t infoStart);

// Reads the info block of the track file into list (appending) and sets infoStart to the offset of
// the tag's '#'. False, with neither changed, when the file does not exist or holds no block.
// Opens the file for reading alone. Raises IoError.
bool ReadKX7Info(const std::filesystem::path& track, InfoList& list, std::uint64_t& infoStart);

// Rewrites the track's info block from list and renews the checksum, replacing the file in one step
// (withInfoBlock). The track is re-read under its lock and its block found again wherever it now
// stands; when that block no longer holds the lines read (another program or command rewrote it),
// nothing is written. False, after an error message, when the file does not exist or its block
// changed. Raises IoError or std::invalid_argument, with the file unchanged.
bool WriteKX7Info(const std::filesystem::path& track, const InfoList& read, const InfoList& list,
                  Messages& messages);

} // namespace vantor
