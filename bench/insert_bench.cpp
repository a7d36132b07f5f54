// The whole `vantor2000-cli insert` process on a 200 KB track file, against the plainest safe
// rewrite of the same file: `cp` to a new file and `sync` of that file. Run from a folder on the
// disk to be measured; the work files go into a fresh folder there.

#include "little_endian.hpp"
#include "magic_file.hpp"
#include "track_checksum.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t TrackSize = 200 * 1024;
constexpr std::size_t BumpEntries = 40;

void writeFile(const fs::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// A track file with a small area near its start and the rest as its tail, and a magic data file.
class Workspace {
public:
    Workspace() {
        std::string pattern = (fs::current_path() / "insert-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a work folder in " + fs::current_path().string());
        }
        folder_ = pattern;

        std::vector<std::uint8_t> track(TrackSize);
        for (std::size_t i = 0; i < track.size(); ++i) {
            track[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        }
        vantor::writeU32(track, 20, 1000);
        vantor::writeU32(track, 24, 1040);
        vantor::renewTrackChecksum(track);
        writeFile(trackPath(), std::string(track.begin(), track.end()));

        vantor::MagicBlock block(
            std::vector<std::uint8_t>(vantor::ValueAreaSize + BumpEntries * vantor::BumpEntrySize, 1));
        writeFile(magicPath(), vantor::formatMagicFile(block, vantor::Descriptions{}));
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    fs::path trackPath() const { return folder_ / "track.dat"; }
    fs::path magicPath() const { return folder_ / "magic.md2"; }
    fs::path copyPath() const { return folder_ / "copy.dat"; }

private:
    fs::path folder_;
};

const Workspace* workspace = nullptr;

// Runs a program found on the path and waits for it; a failure ends the benchmark.
void run(std::vector<std::string> arguments, benchmark::State& state) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        state.SkipWithError(("cannot start " + arguments[0]).c_str());
        return;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        state.SkipWithError((arguments[0] + " failed").c_str());
    }
}

void BM_CliInsert(benchmark::State& state) {
    for (auto _ : state) {
        run({VANTOR_CLI_PATH, "insert", workspace->trackPath().string(), workspace->magicPath().string()},
            state);
    }
}

void BM_CopyAndSync(benchmark::State& state) {
    for (auto _ : state) {
        run({"cp", workspace->trackPath().string(), workspace->copyPath().string()}, state);
        run({"sync", workspace->copyPath().string()}, state);
    }
}

BENCHMARK(BM_CliInsert)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_CopyAndSync)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// Prints as usual and keeps each benchmark's real time (the median when repeated) for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration && !medians_.contains(name)) {
                times_[name] = run.GetAdjustedRealTime();
            } else if (run.aggregate_name == "median") {
                times_[name] = run.GetAdjustedRealTime();
                medians_[name] = true;
            }
        }
    }
    double timeOf(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0 : found->second;
    }

private:
    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    const Workspace files;
    workspace = &files;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double insert = reporter.timeOf("BM_CliInsert");
    const double copy = reporter.timeOf("BM_CopyAndSync");
    if (insert > 0 && copy > 0) {
        std::cout << std::flush;
        std::printf("insert / (cp + sync): %.2f (goal: at most 1.50)\n", insert / copy);
    }
    benchmark::Shutdown();
    return 0;
}
