// Compiling a magic data file and writing one, in memory and through the file system (where each
// write is flushed to disk before it replaces the old file).
#include "magic_file.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

vantor::MagicBlock sampleBlock() {
    // A track's size: the value area and 14 bump entries, with an end mark.
    std::vector<std::uint8_t> bytes(vantor::ValueAreaSize + 14 * vantor::BumpEntrySize + 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37);
    }
    bytes[bytes.size() - 2] = bytes[bytes.size() - 1] = 0xFF;
    return vantor::MagicBlock(bytes);
}

vantor::Descriptions sampleDescriptions() {
    vantor::Descriptions descriptions;
    for (std::size_t k = 0; k < descriptions.size(); ++k) {
        descriptions[k] = "description of value " + std::to_string(k + 1);
    }
    return descriptions;
}

void BM_CompileAndFormatInMemory(benchmark::State& state) {
    const std::string text = vantor::formatMagicFile(sampleBlock(), sampleDescriptions());
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    const auto descriptions = sampleDescriptions();
    for (auto _ : state) {
        auto compiled = vantor::compileMagicText(bytes);
        compiled.markedBlock.erase(compiled.markedBlock.begin(), compiled.markedBlock.begin() + 4);
        benchmark::DoNotOptimize(
            vantor::formatMagicFile(vantor::MagicBlock(std::move(compiled.markedBlock)), descriptions));
    }
}
BENCHMARK(BM_CompileAndFormatInMemory)->Unit(benchmark::kMicrosecond);

class NoMessages : public vantor::Messages {
public:
    void show(vantor::MessageKind, std::string_view) override {}
};

void BM_CompileAndWriteFiles(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "vantor-magic-bench";
    std::filesystem::create_directories(folder);
    const auto descriptions = sampleDescriptions();
    vantor::WriteMagicFile(sampleBlock(), descriptions, folder / "in.md2");
    NoMessages messages;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vantor::CompileMagicFile(folder / "in.md2", messages));
        vantor::WriteMagicFile(sampleBlock(), descriptions, folder / "out.md2");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CompileAndWriteFiles)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
