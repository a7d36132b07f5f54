#include "run_process.hpp"

#include "temp_folder.hpp"

namespace vantor::testing {

ProcessResult capturedResult(int exitCode, const std::filesystem::path& outPath,
                             const std::filesystem::path& errPath) {
    ProcessResult result;
    result.exitCode = exitCode;
    const auto outBytes = readBytes(outPath);
    const auto errBytes = readBytes(errPath);
    result.out.assign(outBytes.begin(), outBytes.end());
    result.err.assign(errBytes.begin(), errBytes.end());
    return result;
}

} // namespace vantor::testing
