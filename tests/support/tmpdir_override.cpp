#include "tmpdir_override.hpp"

#include <cstdlib>

namespace vantor::testing {

TmpDirOverride::TmpDirOverride(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("TMPDIR")) {
        old_ = old;
    }
    ::setenv("TMPDIR", folder.c_str(), 1);
}

TmpDirOverride::~TmpDirOverride() {
    if (old_) {
        ::setenv("TMPDIR", old_->c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

} // namespace vantor::testing
