#include "fifo.hpp"

#include <sys/stat.h>

namespace vantor::testing {

bool makeFifo(const std::filesystem::path& path) {
    return ::mkfifo(path.c_str(), 0644) == 0;
}

} // namespace vantor::testing
