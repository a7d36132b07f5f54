#pragma once

#include <filesystem>

namespace vantor::testing {

// Makes a file read-only for as long as it lives. Permission bits do not stop root, so for root
// the file is also marked immutable, which does.
class UnwritableFile {
public:
    explicit UnwritableFile(std::filesystem::path path);
    UnwritableFile(const UnwritableFile&) = delete;
    UnwritableFile& operator=(const UnwritableFile&) = delete;
    ~UnwritableFile();

private:
    void setImmutable(bool on) const;
    std::filesystem::path path_;
};

} // namespace vantor::testing
