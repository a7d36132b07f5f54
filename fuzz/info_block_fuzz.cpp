// Feeds arbitrary bytes as a track file to the info block reader, writes every list it reads back
// and reads that again. The written block must read as the same lines (each with the value a
// lookup of its name gives), sit where the old one began, carry a valid checksum and leave every
// byte in front of it as it was; writing it once more must change nothing. Only "Read beyond end
// of file" may escape the reader.
#include "info_block.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "track_checksum.hpp"
#include "require.hpp"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using namespace vantor;
using fuzz::require;
using Bytes = std::span<const std::uint8_t>;

std::optional<InfoBlock> parsed(Bytes contents) {
    try {
        return parseInfoBlock(contents);
    } catch (const IoError& error) {
        require(error.code() == IoError::ReadBeyondEnd);
        return std::nullopt;
    }
}

// What the list reads as once written: every line with the value of the first line of its name.
std::vector<std::string> writtenLines(const InfoList& list) {
    std::vector<std::string> lines;
    for (const std::string& line : list.lines()) {
        const std::string name = line.substr(0, line.find('='));
        lines.push_back(name + '=' + list.value(name));
    }
    return lines;
}

void checkWrite(Bytes contents, const InfoList& list, std::uint64_t start) {
    const std::vector<std::uint8_t> written = withInfoBlock(contents, list, start);
    const Bytes bytes(written);
    require(computeTrackChecksum(bytes) == storedTrackChecksum(bytes));
    for (std::uint64_t i = 0; i < start; ++i) {
        require((i >= 8 && i < 12) || written[i] == contents[i]);
    }
    // The header word follows the length only where it pointed at the old checksum.
    if (start >= 12) {
        const bool followed = readU32(contents, 8) == contents.size() - ChecksumSize;
        require(readU32(bytes, 8) == (followed ? written.size() - ChecksumSize : readU32(contents, 8)));
    }

    const std::optional<InfoBlock> again = parsed(bytes);
    require(again.has_value() && again->start == start);
    require(again->list.lines() == writtenLines(list));
    require(withInfoBlock(bytes, again->list, start) == written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Bytes contents(data, size);
    const std::optional<InfoBlock> block = parsed(contents);
    if (!block) {
        return 0;
    }
    require(block->start >= 1 && block->start < size - ChecksumSize - 1);
    require(contents[block->start - 1] == 0 && contents[block->start] == '#');
    for (const std::string& line : block->list.lines()) {
        require(line.find('=') != std::string::npos && line.find_first_of("|#") == std::string::npos);
    }
    checkWrite(contents, block->list, block->start);

    // The save of the info dialog: a changed value reads back.
    InfoList changed = block->list;
    changed.setValue("Laps", "12");
    checkWrite(contents, changed, block->start);
    require(parseInfoBlock(withInfoBlock(contents, changed, block->start))->list.value("laps") == "12");
    return 0;
}
