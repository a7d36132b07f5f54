// The whole `vantor2000-cli check` and `diff` processes on two 2 MB track files, against `cmp -s`
// of the same two files, run side by side. The tracks differ in one value of their custom magic
// data, which lies near their end, so that cmp reads almost all of both as well.

#include "little_endian.hpp"
#include "magic_block.hpp"
#include "process_runs.hpp"
#include "track_checksum.hpp"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TrackSize = 2 * 1024 * 1024;
constexpr std::size_t BumpEntries = 20;
constexpr std::size_t AreaFromEnd = 2000;

std::vector<std::uint8_t> trackHolding(const vantor::MagicBlock& block) {
    std::vector<std::uint8_t> track(TrackSize);
    for (std::size_t i = 0; i < track.size(); ++i) {
        track[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    const std::vector<std::uint8_t> marked = block.markedForm();
    const std::size_t area = TrackSize - AreaFromEnd;
    std::copy(marked.begin(), marked.end(), track.begin() + static_cast<std::ptrdiff_t>(area));
    vantor::writeU32(track, 8, static_cast<std::uint32_t>(TrackSize - 4));
    vantor::writeU32(track, 20, static_cast<std::uint32_t>(area - 32));
    vantor::writeU32(track, 24, static_cast<std::uint32_t>(area - 32 + marked.size()));
    constexpr std::string_view Info{"\0#KX7INFO|name|Bench|author|Vantor|#", 37};
    std::copy(Info.begin(), Info.end(), track.end() - 4 - static_cast<std::ptrdiff_t>(Info.size()));
    vantor::renewTrackChecksum(track);
    return track;
}

class Workspace {
public:
    Workspace() {
        vantor::MagicBlock block(
            std::vector<std::uint8_t>(vantor::ValueAreaSize + BumpEntries * vantor::BumpEntrySize, 1));
        const std::vector<std::uint8_t> a = trackHolding(block);
        block.setValue(100, 1234);
        const std::vector<std::uint8_t> b = trackHolding(block);
        vantor::bench::writeFile(path("a.dat"), std::string(a.begin(), a.end()));
        vantor::bench::writeFile(path("b.dat"), std::string(b.begin(), b.end()));
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }

private:
    vantor::bench::WorkFolder folder_{"check-diff-bench"};
};

const Workspace* workspace = nullptr;

void BM_CliCheck(benchmark::State& state) {
    for (auto _ : state) {
        vantor::bench::runProcess(
            {VANTOR_CLI_PATH, "check", workspace->path("a.dat"), workspace->path("b.dat")}, state, 0,
            workspace->path("out.txt"));
    }
}

void BM_CliDiff(benchmark::State& state) {
    for (auto _ : state) {
        vantor::bench::runProcess(
            {VANTOR_CLI_PATH, "diff", workspace->path("a.dat"), workspace->path("b.dat")}, state, 1,
            workspace->path("out.txt"));
    }
}

void BM_Cmp(benchmark::State& state) {
    for (auto _ : state) {
        vantor::bench::runProcess({"cmp", "-s", workspace->path("a.dat"), workspace->path("b.dat")}, state,
                                  1);
    }
}

BENCHMARK(BM_CliCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CliDiff)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Cmp)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    const Workspace files;
    workspace = &files;
    return vantor::bench::runBenchmarks(
        argc, argv,
        {{"check / cmp", "BM_CliCheck", "BM_Cmp", 1.5}, {"diff / cmp", "BM_CliDiff", "BM_Cmp", 1.5}});
}
