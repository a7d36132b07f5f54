#pragma once

#include "run_process.hpp"
#include "temp_folder.hpp"

#include <string>
#include <vector>

namespace vantor::testing {

// Runs the built command-line tool in the folder.
inline ProcessResult runCli(const TempFolder& folder, const std::vector<std::string>& arguments) {
    return runProcess(VANTOR_CLI_PATH, arguments, folder.path());
}

} // namespace vantor::testing
