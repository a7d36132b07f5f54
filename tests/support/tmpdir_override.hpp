#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantor::testing {

// Points the process's temporary folder (TMPDIR) at folder for as long as it lives, so that a file
// left behind there shows.
class TmpDirOverride {
public:
    explicit TmpDirOverride(const std::filesystem::path& folder);
    TmpDirOverride(const TmpDirOverride&) = delete;
    TmpDirOverride& operator=(const TmpDirOverride&) = delete;
    ~TmpDirOverride();

private:
    std::optional<std::string> old_;
};

} // namespace vantor::testing
