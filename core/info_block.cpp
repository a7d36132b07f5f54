#include "info_block.hpp"

#include "ascii_case.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"
#include "track_rewrite.hpp"

#include <algorithm>
#include <array>
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

// The offset of the last '#' in front of the closing one that directly follows a zero byte; none
// when the bytes, which end where the file ends, hold no such pair.
std::optional<std::uint64_t> lastTagStart(std::span<const std::uint8_t> bytes) {
    const std::uint64_t closing = bytes.size() - ChecksumSize - 1;
    for (std::uint64_t hash = closing; hash-- > 1;) {
        if (bytes[hash - 1] == 0 && bytes[hash] == '#') {
            return hash;
        }
    }
    return std::nullopt;
}

// The pairs behind the tag at start; see the layout above.
InfoList parsePairs(std::span<const std::uint8_t> bytes, std::uint64_t start) {
    ByteCursor cursor(bytes, start);
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
    InfoList list;
    for (std::string& line : lines) {
        list.append(std::move(line));
    }
    return list;
}

void requireFieldText(std::string_view text) {
    if (text.find_first_of("|#") != std::string_view::npos) {
        throw std::invalid_argument(text::infoTextBreaksBlock(text));
    }
}

void appendText(std::vector<std::uint8_t>& bytes, std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The block sits at the end of the file: only a tail that holds it is read, grown while the
// tag's start lies in front of it.
std::optional<InfoBlock> readInfoBlock(ReadOnlyFile& file) {
    const std::uint64_t length = file.size();
    for (std::uint64_t tailSize = std::min<std::uint64_t>(length, 4096);;
         tailSize = std::min(length, tailSize * 4)) {
        std::vector<std::uint8_t> tail(static_cast<std::size_t>(tailSize));
        file.readAt(length - tailSize, tail);
        if (tailSize == length) {
            return parseInfoBlock(tail);
        }
        if (tail[tail.size() - ChecksumSize - 1] != '#') {
            return std::nullopt;
        }
        if (const std::optional<std::uint64_t> start = lastTagStart(tail)) {
            return InfoBlock{parsePairs(tail, *start), length - tailSize + *start};
        }
    }
}

// The save's rewrite of a track of length bytes whose word at offset 8 is word8: everything in
// front of infoStart kept, the block written from list behind it.
TrackRewrite infoSave(std::uint64_t length, std::optional<std::uint32_t> word8, const InfoList& list,
                      std::uint64_t infoStart) {
    // The block's '#' and the checksum behind it must lie inside the file, or the contents are not
    // those the block was read from.
    if (length < MinimumChecksummedSize || infoStart > length - MinimumChecksummedSize) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    std::vector<std::uint8_t> block;
    appendText(block, InfoTag);
    for (const std::string& line : list.lines()) {
        const std::string_view name = nameOf(line);
        const std::string value = list.value(name);
        requireFieldText(name);
        requireFieldText(value);
        appendText(block, name);
        block.push_back('|');
        appendText(block, value);
        block.push_back('|');
    }
    block.push_back('#');

    TrackRewrite rewrite;
    rewrite.keep(0, infoStart);
    rewrite.insert(block);
    // The header word keeps pointing at the checksum, where it did so before the save.
    const std::uint64_t newLength = rewrite.newLength();
    const bool headerInFront = infoStart >= ChecksumPositionOffset + 4;
    if (headerInFront && word8 && *word8 + std::uint64_t{ChecksumSize} == length &&
        newLength - ChecksumSize <= std::numeric_limits<std::uint32_t>::max()) {
        rewrite.setWord(ChecksumPositionOffset, static_cast<std::uint32_t>(newLength - ChecksumSize));
    }
    return rewrite;
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
    const std::optional<std::uint64_t> start = lastTagStart(contents);
    if (!start) {
        // The search would step in front of the file's first byte.
        throw IoError(IoError::ReadBeyondEnd);
    }
    return InfoBlock{parsePairs(contents, *start), *start};
}

std::vector<std::uint8_t> withInfoBlock(std::span<const std::uint8_t> contents, const InfoList& list,
                                        std::uint64_t infoStart) {
    const bool wordInFront = contents.size() >= ChecksumPositionOffset + 4;
    return infoSave(contents.size(),
                    wordInFront ? std::optional(readU32(contents, ChecksumPositionOffset)) : std::nullopt,
                    list, infoStart)
        .applyTo(contents);
}

bool ReadKX7Info(const std::filesystem::path& track, InfoList& list, std::uint64_t& infoStart) {
    if (!regularFileFound(track)) {
        return false;
    }
    ReadOnlyFile file(track);
    const std::optional<InfoBlock> block = readInfoBlock(file);
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
    // An insertion moves the block but keeps it; a save at the old offset would cut the track apart.
    std::optional<InfoBlock> current;
    try {
        current = readInfoBlock(locked);
    } catch (const IoError& error) {
        if (error.code() != IoError::ReadBeyondEnd) {
            throw;
        }
        // No block can be found any more: it is not the one that was read either.
    }
    if (!current || current->list != read) {
        messages.show(MessageKind::Error, text::InfoBlockChanged);
        return false;
    }
    const std::uint64_t length = locked.size();
    std::optional<std::uint32_t> word8;
    if (current->start >= ChecksumPositionOffset + 4) {
        std::array<std::uint8_t, 4> word{};
        locked.readAt(ChecksumPositionOffset, word);
        word8 = readU32(word, 0);
    }
    const TrackRewrite save = infoSave(length, word8, list, current->start);
    // The game's tools clear a track's read-only attribute before they rewrite it.
    clearReadOnly(track);
    save.applyTo(locked);
    return true;
}

} // namespace vantor
