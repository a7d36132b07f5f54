#include "unwritable_file.hpp"

#include <stdexcept>
#include <windows.h>

namespace vantor::testing {

UnwritableFile::UnwritableFile(std::filesystem::path path)
    : path_(std::move(path)) {
    std::filesystem::permissions(path_, std::filesystem::perms::all, std::filesystem::perm_options::remove);
    holder_ = ::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (holder_ == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot make " + path_.string() + " unwritable");
    }
}

UnwritableFile::~UnwritableFile() {
    ::CloseHandle(holder_);
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
}

} // namespace vantor::testing
