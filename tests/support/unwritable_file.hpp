#pragma once

#include <filesystem>

namespace vantor::testing {

// Makes a file read-only for as long as it lives, in a way the program's own clearing of the
// read-only flag does not undo: on POSIX systems the file is also marked immutable for root, whom
// permission bits do not stop; on Windows another handle holds it open, sharing reading alone, as
// a running game would.
class UnwritableFile {
public:
    explicit UnwritableFile(std::filesystem::path path);
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;
    ~UnwritableFile();

private:
    std::filesystem::path path_;
    // The open handle on Windows.
    void* holder_ = nullptr;
};

} // namespace vantor::testing
