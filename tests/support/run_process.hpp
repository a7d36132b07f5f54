#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vantor::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end with the given arguments in the given folder, standard input empty.
// Environment variables set to an empty value in `environment` are removed.
ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& workingFolder,
                         const std::map<std::string, std::string>& environment = {});

// The result of a run that ended with exitCode, its standard output and error read back from the
// files they went to. For the system's own part of runProcess.
ProcessResult capturedResult(int exitCode, const std::filesystem::path& outPath,
                             const std::filesystem::path& errPath);

} // namespace vantor::testing
