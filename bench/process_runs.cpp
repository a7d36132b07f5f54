#include "process_runs.hpp"

#include <cstdio>
#include <fcntl.h>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vantor::bench {

void runProcess(std::vector<std::string> arguments, benchmark::State& state, int expectedExitCode,
                const std::filesystem::path& standardOutput) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!standardOutput.empty()) {
        ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, standardOutput.c_str(),
                                           O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        state.SkipWithError(("cannot start " + arguments[0]).c_str());
        return;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedExitCode) {
        state.SkipWithError((arguments[0] + " failed").c_str());
    }
}

void writeFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

WorkFolder::WorkFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::current_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a work folder in " +
                                 std::filesystem::current_path().string());
    }
    path_ = pattern;
}

WorkFolder::~WorkFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
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

double RatioReporter::timeOf(const std::string& name) const {
    const auto found = times_.find(name);
    return found == times_.end() ? 0 : found->second;
}

void RatioReporter::printRatio(const std::string& what, const std::string& numerator,
                               const std::string& denominator, double goal) const {
    const double top = timeOf(numerator);
    const double bottom = timeOf(denominator);
    if (top > 0 && bottom > 0) {
        std::cout << std::flush;
        std::printf("%s: %.2f (goal: at most %.2f)\n", what.c_str(), top / bottom, goal);
    }
}

int runBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const Ratio& ratio : ratios) {
        reporter.printRatio(ratio.what, ratio.numerator, ratio.denominator, ratio.goal);
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace vantor::bench
