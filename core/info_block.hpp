#pragma once

#include <cstdint>
#include <filesystem>
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

private:
    std::vector<std::string> lines_;
};

// Reads the info block of the track file into list (appending) and sets infoStart to the offset of
// the tag's '#'. False, with neither changed, when the file does not exist or holds no block.
// Opens the file for reading alone. Raises IoError.
bool ReadKX7Info(const std::filesystem::path& track, InfoList& list, std::uint64_t& infoStart);

// Rewrites the block from infoStart on from list and renews the checksum, replacing the file in
// one step. False when the file does not exist. Raises IoError, with the file unchanged.
bool WriteKX7Info(const std::filesystem::path& track, const InfoList& list, std::uint64_t infoStart);

} // namespace vantor
