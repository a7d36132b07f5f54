// Whole `vantor2000-cli` processes against their plainest peers, side by side in one run: the
// start-up (`--help`) against `true`, `checksum` against `cksum` on the same file, `insert` against
// `cp` to a new file plus `sync` of that file. After the timings, the peak resident memory of each process on
// the largest track. Run from a folder on the disk to be measured; the work files go into a fresh folder
// there and are removed at the end.

#include "file_system.hpp"
#include "process_runs.hpp"
#include "little_endian.hpp"
#include "magic_file.hpp"
#include "track_checksum.hpp"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t KB = 1024;
constexpr std::int64_t MB = 1024 * KB;
constexpr std::size_t BumpEntries = 40;

using Arguments = std::vector<std::string>;

// Track files of each size, made on first use, a small area near their start and the rest as
// their tail, and one magic data file. Written a chunk at a time, so that this process stays
// small beside the ones it measures.
class Workspace {
public:
    Workspace() {
        vantor::MagicBlock block(
            std::vector<std::uint8_t>(vantor::ValueAreaSize + BumpEntries * vantor::BumpEntrySize, 1));
        const std::string text = vantor::formatMagicFile(block, vantor::Descriptions{});
        std::ofstream(magicPath(), std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    fs::path track(std::int64_t size) {
        const fs::path path = folder_ / ("track-" + std::to_string(size) + ".dat");
        if (!fs::exists(path)) {
            writeTrack(path, static_cast<std::uint64_t>(size));
        }
        return path;
    }
    fs::path magicPath() const { return folder_ / "magic.md2"; }
    fs::path copyPath() const { return folder_ / "copy.dat"; }

private:
    static void writeTrack(const fs::path& path, std::uint64_t size) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        std::vector<std::uint8_t> chunk(vantor::FileChunkSize);
        vantor::RunningTrackChecksum sums;
        const std::uint64_t summed = size - vantor::ChecksumSize;
        for (std::uint64_t at = 0; at < summed; at += chunk.size()) {
            chunk.resize(
                static_cast<std::size_t>(std::min<std::uint64_t>(summed - at, vantor::FileChunkSize)));
            for (std::size_t i = 0; i < chunk.size(); ++i) {
                const std::uint64_t offset = at + i;
                chunk[i] = static_cast<std::uint8_t>(offset * 7 + offset / 251);
            }
            if (at == 0) {
                vantor::writeU32(chunk, 20, 1000);
                vantor::writeU32(chunk, 24, 1040);
            }
            sums.add(chunk);
            out.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
        }
        std::vector<std::uint8_t> checksum(vantor::ChecksumSize);
        vantor::writeU16(checksum, 0, sums.value().byteSum);
        vantor::writeU16(checksum, 2, sums.value().rotatingSum);
        out.write(reinterpret_cast<const char*>(checksum.data()),
                  static_cast<std::streamsize>(checksum.size()));
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }

    vantor::bench::WorkFolder folder_{"command-line-bench"};
};

Workspace* workspace = nullptr;

std::vector<char*> argvOf(Arguments& arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return argv;
}

// Runs a program found on the path, its output thrown away; a failure ends the benchmark.
void run(const Arguments& arguments, benchmark::State& state) {
    vantor::bench::runProcess(arguments, state, 0, "/dev/null");
}

// The peak resident memory of the program in kB, read from its own memory map as it exits: the
// rusage figure would also count this process, whose memory the child holds until its exec.
long peakResidentKb(Arguments arguments) {
    std::vector<char*> argv = argvOf(arguments);
    const pid_t child = ::fork();
    if (child == 0) {
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    long peak = -1;
    int status = 0;
    // The first stop is the exec; from then on only the exit stops the child.
    ::waitpid(child, &status, 0);
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACEEXIT);
    ::ptrace(PTRACE_CONT, child, nullptr, nullptr);
    while (::waitpid(child, &status, 0) == child && !WIFEXITED(status) && !WIFSIGNALED(status)) {
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            std::ifstream proc("/proc/" + std::to_string(child) + "/status");
            for (std::string line; std::getline(proc, line);) {
                if (line.rfind("VmHWM:", 0) == 0) {
                    peak = std::stol(line.substr(6));
                }
            }
        }
        const int pass = WIFSTOPPED(status) && WSTOPSIG(status) != SIGTRAP ? WSTOPSIG(status) : 0;
        ::ptrace(PTRACE_CONT, child, nullptr, pass);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? peak : -1;
}

Arguments cliChecksum(const fs::path& track) {
    return {VANTOR_CLI_PATH, "checksum", track.string()};
}

Arguments cliInsert(const fs::path& track) {
    return {VANTOR_CLI_PATH, "insert", track.string(), workspace->magicPath().string()};
}

// The start-up alone, against a plain C program's.
void BM_CliHelp(benchmark::State& state) {
    for (auto _ : state) {
        run({VANTOR_CLI_PATH, "--help"}, state);
    }
}

void BM_True(benchmark::State& state) {
    for (auto _ : state) {
        run({"true"}, state);
    }
}

void BM_CliChecksum(benchmark::State& state) {
    const fs::path track = workspace->track(state.range(0));
    for (auto _ : state) {
        run(cliChecksum(track), state);
    }
}

void BM_Cksum(benchmark::State& state) {
    const fs::path track = workspace->track(state.range(0));
    for (auto _ : state) {
        run({"cksum", track.string()}, state);
    }
}

void BM_CliInsert(benchmark::State& state) {
    const fs::path track = workspace->track(state.range(0));
    for (auto _ : state) {
        run(cliInsert(track), state);
    }
}

void BM_CopyAndSync(benchmark::State& state) {
    const fs::path track = workspace->track(state.range(0));
    for (auto _ : state) {
        run({"cp", track.string(), workspace->copyPath().string()}, state);
        run({"sync", workspace->copyPath().string()}, state);
    }
}

BENCHMARK(BM_CliHelp)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_True)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CliChecksum)
    ->Arg(200 * KB)
    ->Arg(64 * MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_Cksum)->Arg(200 * KB)->Arg(64 * MB)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_CliInsert)
    ->Arg(200 * KB)
    ->Arg(20 * MB)
    ->Arg(200 * MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(BM_CopyAndSync)
    ->Arg(200 * KB)
    ->Arg(20 * MB)
    ->Arg(200 * MB)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// Prints as usual and keeps each benchmark's real time (the median when repeated) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.function_name + "/" + run.run_name.args;
            if (run.run_type == Run::RT_Iteration && !medians_.contains(name)) {
                times_[name] = run.GetAdjustedRealTime();
            } else if (run.aggregate_name == "median") {
                times_[name] = run.GetAdjustedRealTime();
                medians_[name] = true;
            }
        }
    }
    void printRatio(const std::string& ours, const std::string& peer, std::int64_t size, double goal) const {
        const double mine = timeOf(ours + "/" + std::to_string(size));
        const double theirs = timeOf(peer + "/" + std::to_string(size));
        if (mine > 0 && theirs > 0 && size == 0) {
            std::printf("%-16s / %-16s: %.2f\n", ours.c_str(), peer.c_str(), mine / theirs);
        } else if (mine > 0 && theirs > 0) {
            std::printf("%-16s / %-16s at %4lld %s: %.2f (goal: at most %.2f)\n", ours.c_str(), peer.c_str(),
                        static_cast<long long>(size >= MB ? size / MB : size / KB), size >= MB ? "MB" : "KB",
                        mine / theirs, goal);
        }
    }

private:
    double timeOf(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0 : found->second;
    }

    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    Workspace files;
    workspace = &files;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout << std::flush;
    reporter.printRatio("BM_CliHelp", "BM_True", 0, 0);
    reporter.printRatio("BM_CliChecksum", "BM_Cksum", 200 * KB, 1.2);
    reporter.printRatio("BM_CliChecksum", "BM_Cksum", 64 * MB, 2.0);
    for (const std::int64_t size : {200 * KB, 20 * MB, 200 * MB}) {
        reporter.printRatio("BM_CliInsert", "BM_CopyAndSync", size, 1.5);
    }

    const fs::path largest = files.track(200 * MB);
    std::printf("peak resident memory at 200 MB, kB: checksum %ld, insert %ld (goal: under 16384); "
                "cksum %ld, cp %ld\n",
                peakResidentKb(cliChecksum(largest)), peakResidentKb(cliInsert(largest)),
                peakResidentKb({"cksum", largest.string()}),
                peakResidentKb({"cp", largest.string(), files.copyPath().string()}));
    benchmark::Shutdown();
    return 0;
}
