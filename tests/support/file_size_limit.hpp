#pragma once

#include <csignal>
#include <sys/resource.h>

namespace vantor::testing {

// Limits the size of files this process may write, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit();

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace vantor::testing
