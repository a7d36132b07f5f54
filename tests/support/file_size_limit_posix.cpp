#include "file_size_limit.hpp"

#include <csignal>
#include <sys/resource.h>

namespace vantor::testing {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    savedSoftLimit_ = limit.rlim_cur;
    savedHardLimit_ = limit.rlim_max;
    // A write past the limit then fails with EFBIG instead of ending the process.
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    const rlimit saved{static_cast<rlim_t>(savedSoftLimit_), static_cast<rlim_t>(savedHardLimit_)};
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler_);
}

} // namespace vantor::testing
