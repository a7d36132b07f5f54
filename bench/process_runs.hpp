#pragma once

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vantor::bench {

// Runs a program found on the path and waits for it, its standard output going to the file when one
// is named; an exit code other than the expected one ends the benchmark with an error.
void runProcess(std::vector<std::string> arguments, benchmark::State& state, int expectedExitCode = 0,
                const std::filesystem::path& standardOutput = {});

void writeFile(const std::filesystem::path& path, const std::string& contents);

// A fresh folder in the current folder, so that the disk measured is the one run from; removed at
// the end.
class WorkFolder {
public:
    explicit WorkFolder(const std::string& prefix);
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder();
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Prints as usual and keeps each benchmark's real time (the median when repeated), for ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    double timeOf(const std::string& name) const;
    // Prints "what: ratio (goal: at most goal)" once both times are known.
    void printRatio(const std::string& what, const std::string& numerator, const std::string& denominator,
                    double goal) const;

private:
    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

struct Ratio {
    std::string what;
    std::string numerator;
    std::string denominator;
    double goal;
};

// Runs the benchmarks the command line names, then prints the ratios. Returns main's exit code.
int runBenchmarks(int argc, char** argv, const std::vector<Ratio>& ratios);

} // namespace vantor::bench
