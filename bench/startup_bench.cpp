// Whole-process start-up: the program started, its main window shown and closed, against a bare
// Qt Widgets window measured the same way. Offscreen, so no display is needed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "game_executable.hpp"

namespace {

namespace fs = std::filesystem;

// The program runs from a folder of its own, beside a settings file with every description that
// names an executable of the expected size (a sparse file), so that it opens straight into the
// main window, with no message, and keeps its settings there.
class ProgramPlace {
public:
    ProgramPlace() {
        std::string pattern = (fs::temp_directory_path() / "vantor-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        folder_ = pattern;
        fs::copy_file(VANTOR_APP_PATH, folder_ / "vantor2000");
        std::ofstream(folder_ / "KX7_2000.EXE") << "";
        fs::resize_file(folder_ / "KX7_2000.EXE", vantor::ExpectedExeSize);
        std::ofstream settings(folder_ / "vantor2000.ini");
        settings << "[config]\r\nkx72000exe=" << (folder_ / "KX7_2000.EXE").string() << "\r\n";
        // As a user's file holds them: a description for every value.
        settings << "[descriptions]\r\n";
        for (int k = 1; k <= 130; ++k) {
            settings << "desc" << k << "=Description of value " << k << ", as printed into magic files\r\n";
        }
        fs::create_directory(folder_ / "runtime");
        fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    }
    ProgramPlace(const ProgramPlace&) = delete;
    ProgramPlace& operator=(const ProgramPlace&) = delete;
    ~ProgramPlace() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    const fs::path& folder() const { return folder_; }

private:
    fs::path folder_;
};

const ProgramPlace& place() {
    static const ProgramPlace instance;
    return instance;
}

struct Run {
    double wallMs;
    double cpuMs; // user and system time of the process
    long peakKb;
};

// Runs the program to its end.
Run runToEnd(const fs::path& program) {
    // Made here, not in the child: a child would make a folder of its own and never remove it.
    const std::string runtime = (place().folder() / "runtime").string();
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("VANTOR_QUIT_WHEN_SHOWN", "1", 1);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) {
            ::_exit(127);
        }
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program.string() + " failed");
    }
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {wall.count(), ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void startToShownToQuit(benchmark::State& state, const fs::path& program) {
    long peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, runToEnd(program).peakKb);
    }
    state.counters["peak_MB"] = double(peak) / 1024.0;
}

void BM_BareWindow(benchmark::State& state) {
    startToShownToQuit(state, VANTOR_BARE_WINDOW_PATH);
}
void BM_Vantor2000(benchmark::State& state) {
    startToShownToQuit(state, place().folder() / "vantor2000");
}

// The ratio to the bare window from pairs run back to back, in turns of which goes first: on a
// shared machine the load changes within seconds, and two separate blocks of runs would each
// see a different load.
void BM_Vantor2000AgainstBareWindow(benchmark::State& state) {
    std::vector<double> bareWall, vantorWall, bareCpu, vantorCpu;
    bool bareFirst = true;
    for (auto _ : state) {
        const fs::path bare = VANTOR_BARE_WINDOW_PATH;
        const fs::path vantor = place().folder() / "vantor2000";
        const Run first = runToEnd(bareFirst ? bare : vantor);
        const Run second = runToEnd(bareFirst ? vantor : bare);
        const Run& bareRun = bareFirst ? first : second;
        const Run& vantorRun = bareFirst ? second : first;
        bareWall.push_back(bareRun.wallMs);
        vantorWall.push_back(vantorRun.wallMs);
        bareCpu.push_back(bareRun.cpuMs);
        vantorCpu.push_back(vantorRun.cpuMs);
        bareFirst = !bareFirst;
    }
    state.counters["bare_ms"] = median(bareWall);
    state.counters["vantor_ms"] = median(vantorWall);
    state.counters["ratio"] = median(vantorWall) / median(bareWall);
    state.counters["cpu_ratio"] = median(vantorCpu) / median(bareCpu);
}

BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Vantor2000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Vantor2000AgainstBareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(6);

} // namespace

BENCHMARK_MAIN();
