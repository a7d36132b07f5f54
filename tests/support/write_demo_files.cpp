// Writes the files the screenshots show: a game executable whose 17 stock blocks hold plausible
// numbers, a track whose custom block is track 5's stock block with a few values and bump entries
// changed, and a settings file that names the executable and describes the values.
//   write_demo_files FOLDER

#include <cmath>
#include <fstream>
#include <iostream>

#include "game_executable.hpp"
#include "little_endian.hpp"
#include "stream_messages.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

namespace fs = std::filesystem;
using namespace vantor;

namespace {

constexpr int DemoTrack = 5;

std::int32_t plausibleValue(int k, int track) {
    const int wobble = (k * 37 + track * 11) % 41;
    switch (valueSlot(k).encoding) {
    case ValueEncoding::BiasedByte:
        return wobble - 20;
    case ValueEncoding::PlainByte:
        return 60 + wobble;
    case ValueEncoding::Unsigned16:
        return 400 + 25 * wobble;
    case ValueEncoding::Signed32:
        return 12000 + 350 * wobble - 7000;
    }
    return 0;
}

// The stock block of a track in the size of its range: a rolling bump table, then the end mark.
std::vector<std::uint8_t> stockBlock(int track) {
    const ExeTrackEntry& range = ExeTrackTable[std::size_t(track - 1)];
    std::vector<std::uint8_t> bytes(std::size_t(range.Size), 0xFF);
    MagicBlock block(std::vector<std::uint8_t>(ValueAreaSize, 0));
    for (int k = 1; k <= MagicValueCount; ++k) {
        block.setValue(k, plausibleValue(k, track));
    }
    std::copy(block.bytes().begin(), block.bytes().end(), bytes.begin());
    const std::size_t entries = (bytes.size() - ValueAreaSize - 2) / BumpEntrySize;
    for (std::size_t j = 0; j < entries; ++j) {
        const auto first = std::uint16_t(300 + j * 520 + (j * 97) % 180);
        const auto second = std::uint16_t(40 + 28 * std::sin(double(j) * 0.9 + track) + double(j) * 3);
        writeU16(bytes, ValueAreaSize + j * BumpEntrySize, first);
        writeU16(bytes, ValueAreaSize + j * BumpEntrySize + 2, second);
    }
    return bytes;
}

void writeExecutable(const fs::path& path) {
    std::vector<char> zeros(ExpectedExeSize, 0);
    for (int track = 1; track <= ExeTrackCount; ++track) {
        const std::vector<std::uint8_t> block = stockBlock(track);
        std::copy(block.begin(), block.end(), zeros.begin() + ExeTrackTable[std::size_t(track - 1)].Offset);
    }
    std::ofstream(path, std::ios::binary).write(zeros.data(), std::streamsize(zeros.size()));
}

void writeTrack(const fs::path& path, const fs::path& exe) {
    const std::vector<std::uint8_t> plain = testing::trackWithArea(testing::filler(8, 50), 2000);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(plain.data()), std::streamsize(plain.size()));
    MagicBlock block = ReadStockBlock(exe, DemoTrack);
    for (const auto& [k, change] : {std::pair{3, 9}, {26, -12}, {40, 150}, {75, 2500}, {101, -80}}) {
        block.setValue(k, block.value(k) + change);
    }
    std::vector<std::uint8_t> marked = block.markedForm();
    for (std::size_t j : {std::size_t(4), std::size_t(5)}) {
        const std::size_t second = MagicMarker.size() + ValueAreaSize + j * BumpEntrySize + 2;
        writeU16(marked, second, std::uint16_t(readU16(marked, second) + 22));
    }
    StreamMessages messages(std::cerr);
    InsertMagicBlock(marked, path, BackupChoice::None, messages);
}

void writeSettings(const fs::path& path, const fs::path& exe) {
    static const char* const Parts[] = {"Grip", "Kerb height", "Camber", "Wind", "Dust", "Echo", "Shade"};
    std::ofstream settings(path, std::ios::binary);
    settings << "[config]\r\nkx72000exe=" << exe.string() << "\r\n[descriptions]\r\n";
    for (int k = 1; k <= MagicValueCount; ++k) {
        settings << "desc" << k << '=' << Parts[k % 7] << ", section " << (k + 6) / 7 << "\r\n";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_demo_files FOLDER\n";
        return 2;
    }
    const fs::path folder = argv[1];
    const fs::path exe = folder / "KX7_2000.EXE";
    writeExecutable(exe);
    writeTrack(folder / "monza.dat", exe);
    writeSettings(folder / "vantor2000.ini", exe);
    return 0;
}
