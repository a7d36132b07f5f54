// Whole-process start-up: the program started, its main window shown and closed, against a bare
// Qt Widgets window measured the same way. Offscreen, so no display is needed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs the program to its end; returns its peak resident memory in kilobytes.
long runToEnd(const fs::path& program) {
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("VANTOR_QUIT_WHEN_SHOWN", "1", 1);
        ::setenv("XDG_RUNTIME_DIR", (place().folder() / "runtime").c_str(), 1);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) {
            ::_exit(127);
        }
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(program.string() + " failed");
    }
    return usage.ru_maxrss;
}

void startToShownToQuit(benchmark::State& state, const fs::path& program) {
    long peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, runToEnd(program));
    }
    state.counters["peak_MB"] = double(peak) / 1024.0;
}

void BM_BareWindow(benchmark::State& state) {
    startToShownToQuit(state, VANTOR_BARE_WINDOW_PATH);
}
void BM_Vantor2000(benchmark::State& state) {
    startToShownToQuit(state, place().folder() / "vantor2000");
}

BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Vantor2000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

BENCHMARK_MAIN();
