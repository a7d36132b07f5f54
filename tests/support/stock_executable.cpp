#include "stock_executable.hpp"

#include <algorithm>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace vantor::testing {

std::vector<std::uint8_t> stockBytes(const StockRange& range) {
    std::vector<std::uint8_t> bytes(range.size);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(1 + (static_cast<std::size_t>(range.track) * 37 + i * 11) % 254);
    }
    return bytes;
}

void writeStockExecutable(const std::filesystem::path& path, std::uint64_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool done = fd >= 0 && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    for (const StockRange& range : StockRanges) {
        if (!done || range.offset >= size) {
            continue;
        }
        const std::vector<std::uint8_t> bytes = stockBytes(range);
        const std::size_t fitting =
            static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), size - range.offset));
        done = ::pwrite(fd, bytes.data(), fitting, static_cast<off_t>(range.offset)) ==
               static_cast<ssize_t>(fitting);
    }
    if (fd >= 0 && ::close(fd) != 0) {
        done = false;
    }
    if (!done) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace vantor::testing
