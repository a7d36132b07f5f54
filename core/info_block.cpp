#include "info_block.hpp"

#include "ascii_case.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"

#include <limits>
#include <stdexcept>

namespace vantor {

// Layout of a track file's info block (L = file length, single-byte text):
//   InfoStart - 1   1 byte   0x00, by which the block is found
//   InfoStart       9 bytes  the tag "#KX7INFO|" (skipped, never compared)
//   then            any      pairs: key '|' value '|'; neither holds '|' or '#'
//   L - 5           1 byte   '#', closing the block
//   L - 4           4 bytes  the track checksum
// InfoStart is the last '#' in front of L - 5 that directly follows a zero byte. Whatever stands
// between the last whole pair and the closing '#' is dropped on reading. The word at offset 8
// (checksum position, L - 4) lies in the track header in front of the block.

namespace {

constexpr std::string_view InfoTag = "#KX7INFO|";
constexpr std::uint64_t ChecksumPositionOffset = 8;

std::string_view nameOf(std::string_view line) {
    return line.substr(0, line.find('='));
}

// Reads byte by byte; running off the end is the system's "Read beyond end of file".
class ByteCursor {
public:
    ByteCursor(std::span<const std::uint8_t> bytes, std::uint64_t position)
        : bytes_(bytes)
        , position_(position) {}
    char next() {
        if (position_ >= bytes_.size()) {
            throw IoError(IoError::ReadBeyondEnd);
        }
        return static_cast<char>(bytes_[position_++]);
    }
    void skip(std::uint64_t count) {
        if (count > bytes_.size() || position_ > bytes_.size() - count) {
            throw IoError(IoError::ReadBeyondEnd);
        }
        position_ += count;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_;
};

// Appends bytes up to and including the next '|' or '#'; nothing once c is '#'.
void readField(ByteCursor& cursor, char& c, std::string& s) {
    do {
        if (c != '#') {
            c = cursor.next();
            s += c;
        }
    } while (c != '|' && c != '#');
}

std::uint64_t blockStart(std::span<const std::uint8_t> contents) {
    const std::uint64_t closing = contents.size() - ChecksumSize - 1;
    for (std::uint64_t hash = closing; hash-- > 1;) {
        if (contents[hash - 1] == 0 && contents[hash] == '#') {
            return hash;
        }
    }
    // The search would step in front of the file's first byte.
    throw IoError(IoError::ReadBeyondEnd);
}

void requireFieldText(std::string_view text) {
    if (text.find_first_of("|#") != std::string_view::npos) {
        throw std::invalid_argument(text::infoTextBreaksBlock(text));
    }
}

void appendText(std::vector<std::uint8_t>& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

} // namespace

std::string InfoList::value(std::string_view name) const {
    for (const std::string& line : lines_) {
        if (equalsIgnoringCase(nameOf(line), name)) {
            const auto equals = line.find('=');
            return equals == std::string::npos ? std::string{} : line.substr(equals + 1);
        }
    }
    return {};
}

bool InfoList::contains(std::string_view name) const {
    for (const std::string& line : lines_) {
        if (equalsIgnoringCase(nameOf(line), name)) {
            return true;
        }
    }
    return false;
}

void InfoList::setValue(std::string_view name, std::string_view value) {
    for (auto line = lines_.begin(); line != lines_.end(); ++line) {
        if (equalsIgnoringCase(nameOf(*line), name)) {
            if (value.empty()) {
                lines_.erase(line);
            } else {
                *line = std::string(name) + '=' + std::string(value);
            }
            return;
        }
    }
    if (!value.empty()) {
        lines_.push_back(std::string(name) + '=' + std::string(value));
    }
}

std::optional<InfoBlock> parseInfoBlock(std::span<const std::uint8_t> contents) {
    if (contents.size() < MinimumChecksummedSize) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    if (contents[contents.size() - ChecksumSize - 1] != '#') {
        return std::nullopt;
    }
    InfoBlock block;
    block.start = blockStart(contents);
    ByteCursor cursor(contents, block.start);
    cursor.skip(InfoTag.size());
    std::vector<std::string> lines;
    char c = 0;
    do {
        std::string s;
        readField(cursor, c, s);
        s.back() = '=';
        readField(cursor, c, s);
        s.pop_back();
        lines.push_back(std::move(s));
    } while (c != '#');
    // The last line holds what stands between the last '|' and the closing '#'.
    lines.pop_back();
    for (std::string& line : lines) {
        block.list.append(std::move(line));
    }
    return block;
}

std::vector<std::uint8_t> withInfoBlock(std::span<const std::uint8_t> contents, const InfoList& list,
                                        std::uint64_t infoStart) {
    const std::uint64_t oldLength = contents.size();
    // The block's '#' and the checksum behind it must lie inside the file, or the contents are not
    // those the block was read from.
    if (oldLength < MinimumChecksummedSize || infoStart > oldLength - MinimumChecksummedSize) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    std::vector<std::uint8_t> result(contents.begin(),
                                     contents.begin() + static_cast<std::ptrdiff_t>(infoStart));
    appendText(result, InfoTag);
    for (const std::string& line : list.lines()) {
        const std::string_view name = nameOf(line);
        const std::string value = list.value(name);
        requireFieldText(name);
        requireFieldText(value);
        appendText(result, name);
        result.push_back('|');
        appendText(result, value);
        result.push_back('|');
    }
    result.push_back('#');
    result.resize(result.size() + ChecksumSize);

    // The header word keeps pointing at the checksum, where it did so before the save.
    const std::uint64_t newLength = result.size();
    const bool headerInFront = infoStart >= ChecksumPositionOffset + 4;
    if (headerInFront &&
        readU32(contents, ChecksumPositionOffset) + std::uint64_t{ChecksumSize} == oldLength &&
        newLength - ChecksumSize <= std::numeric_limits<std::uint32_t>::max()) {
        writeU32(result, ChecksumPositionOffset, static_cast<std::uint32_t>(newLength - ChecksumSize));
    }
    renewTrackChecksum(result);
    return result;
}

bool ReadKX7Info(const std::filesystem::path& track, InfoList& list, std::uint64_t& infoStart) {
    if (!regularFileFound(track)) {
        return false;
    }
    std::optional<InfoBlock> block = parseInfoBlock(readFile(track));
    if (!block) {
        return false;
    }
    for (const std::string& line : block->list.lines()) {
        list.append(line);
    }
    infoStart = block->start;
    return true;
}

bool WriteKX7Info(const std::filesystem::path& track, const InfoList& read, const InfoList& list,
                  Messages& messages) {
    if (!regularFileFound(track)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return false;
    }
    LockedFile locked(track);
    const std::vector<std::uint8_t> contents = locked.read();
    // An insertion moves the block but keeps it; a save at the old offset would cut the track apart.
    std::optional<InfoBlock> current;
    try {
        current = parseInfoBlock(contents);
    } catch (const IoError&) {
        // No block can be found any more: it is not the one that was read either.
    }
    if (!current || current->list != read) {
        messages.show(MessageKind::Error, text::InfoBlockChanged);
        return false;
    }
    const std::vector<std::uint8_t> saved = withInfoBlock(contents, list, current->start);
    // The game's tools clear a track's read-only attribute before they rewrite it.
    clearReadOnly(track);
    locked.replace(saved, "track file");
    return true;
}

} // namespace vantor
