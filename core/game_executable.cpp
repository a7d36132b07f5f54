#include "game_executable.hpp"

#include "file_system.hpp"
#include "pad_string.hpp"
#include "texts.hpp"

#include <stdexcept>

namespace vantor {

// The game executable is only ever read. Its one accepted length is ExpectedExeSize; each of the
// 17 tracks' stock blocks is a bare magic data block (value area, then bump entries, with no
// marker) at a fixed offset. All but tracks 6 and 15 leave one 16-bit word after the last whole
// bump entry, which the magic data file never shows.

const std::array<ExeTrackEntry, ExeTrackCount> ExeTrackTable = {{
    {0x16E514, 294}, // 1
    {0x16E63C, 358}, // 2
    {0x16E7A4, 330}, // 3
    {0x16E8F0, 322}, // 4
    {0x16EA34, 310}, // 5
    {0x16EB6C, 300}, // 6
    {0x16EC9C, 318}, // 7
    {0x16EDDC, 314}, // 8
    {0x16EF18, 306}, // 9
    {0x16F04C, 318}, // 10
    {0x16F18C, 322}, // 11
    {0x16F2D0, 334}, // 12
    {0x16F420, 322}, // 13
    {0x16F564, 322}, // 14
    {0x16F6A8, 308}, // 15
    {0x16F7E0, 326}, // 16
    {0x16F928, 318}, // 17
}};

void CheckExeSize(const std::filesystem::path& exe, Messages& messages) {
    if (!fileExists(exe)) {
        return;
    }
    if (fileSize(exe) != ExpectedExeSize) {
        messages.show(MessageKind::Information, text::notTheRightExecutable(ExpectedExeSize));
    }
}

MagicBlock ReadStockBlock(const std::filesystem::path& exe, int track) {
    if (track < 1 || track > ExeTrackCount) {
        throw std::out_of_range("track number " + std::to_string(track) + " is outside 1 to 17");
    }
    const ExeTrackEntry& entry = ExeTrackTable[static_cast<std::size_t>(track - 1)];
    return MagicBlock(
        readFileRange(exe, static_cast<std::uint64_t>(entry.Offset), static_cast<std::size_t>(entry.Size)));
}

std::string stockFileName(int track) {
    return "magic2k_" + PadString(std::to_string(track), 2, "0", PadSide::Left) + ".md2";
}

} // namespace vantor
