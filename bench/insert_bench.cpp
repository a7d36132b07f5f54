// The whole `vantor2000-cli insert` process on a 200 KB track file, against the plainest safe
// rewrite of the same file: `cp` to a new file and `sync` of that file. Run from a folder on the
// disk to be measured; the work files go into a fresh folder there.

#include "little_endian.hpp"
#include "magic_file.hpp"
#include "process_runs.hpp"
#include "track_checksum.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TrackSize = 200 * 1024;
constexpr std::size_t BumpEntries = 40;

// A track file with a small area near its start and the rest as its tail, and a magic data file.
class Workspace {
public:
    Workspace() {
        std::vector<std::uint8_t> track(TrackSize);
        for (std::size_t i = 0; i < track.size(); ++i) {
            track[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        vantor::writeU32(track, 20, 1000);
        vantor::writeU32(track, 24, 1040);
        vantor::renewTrackChecksum(track);
        vantor::bench::writeFile(trackPath(), std::string(track.begin(), track.end()));

        vantor::MagicBlock block(
            std::vector<std::uint8_t>(vantor::ValueAreaSize + BumpEntries * vantor::BumpEntrySize, 1));
        vantor::bench::writeFile(magicPath(), vantor::formatMagicFile(block, vantor::Descriptions{}));
    }
    fs::path trackPath() const { return folder_ / "track.dat"; }
    fs::path magicPath() const { return folder_ / "magic.md2"; }
    fs::path copyPath() const { return folder_ / "copy.dat"; }

private:
    vantor::bench::WorkFolder folder_{"insert-bench"};
};

const Workspace* workspace = nullptr;

void BM_CliInsert(benchmark::State& state) {
    for (auto _ : state) {
        vantor::bench::runProcess(
            {VANTOR_CLI_PATH, "insert", workspace->trackPath().string(), workspace->magicPath().string()},
            state);
    }
}

void BM_CopyAndSync(benchmark::State& state) {
    for (auto _ : state) {
        vantor::bench::runProcess({"cp", workspace->trackPath().string(), workspace->copyPath().string()},
                                  state);
        vantor::bench::runProcess({"sync", workspace->copyPath().string()}, state);
    }
}

BENCHMARK(BM_CliInsert)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_CopyAndSync)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    const Workspace files;
    workspace = &files;
    return vantor::bench::runBenchmarks(argc, argv,
                                        {{"insert / (cp + sync)", "BM_CliInsert", "BM_CopyAndSync", 1.5}});
}
