#include "stock_executable.hpp"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace vantor::testing {

std::vector<std::uint8_t> stockBytes(const StockRange& range) {
    std::vector<std::uint8_t> bytes(range.size);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(1 + (static_cast<std::size_t>(range.track) * 37 + i * 11) % 254);
    }
    return bytes;
}

void writeStockExecutable(const std::filesystem::path& path, std::uint64_t size) {
    { std::ofstream create(path, std::ios::binary | std::ios::trunc); }
    std::error_code error;
    // Sparse where the file system allows it: only the stock ranges hold bytes.
    std::filesystem::resize_file(path, size, error);
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    for (const StockRange& range : StockRanges) {
        if (range.offset >= size) {
            continue;
        }
        const std::vector<std::uint8_t> bytes = stockBytes(range);
        const auto fitting =
            static_cast<std::streamsize>(std::min<std::uint64_t>(bytes.size(), size - range.offset));
        file.seekp(static_cast<std::streamoff>(range.offset));
        file.write(reinterpret_cast<const char*>(bytes.data()), fitting);
    }
    file.close();
    if (error || !file) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace vantor::testing
