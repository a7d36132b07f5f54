#pragma once

#include <cstdint>

namespace vantor::testing {

// Limits the size of files this process may write, as a full disk would, for as long as it lives.
// POSIX only (setrlimit): Windows has no such limit, and the tests that need one are left out of
// its build.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();

private:
    std::uint64_t savedSoftLimit_ = 0;
    std::uint64_t savedHardLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

} // namespace vantor::testing
