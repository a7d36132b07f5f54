#include "unwritable_file.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::testing {

namespace {

void setImmutable(const std::filesystem::path& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    const bool done =
        fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
        ::ioctl(fd, FS_IOC_SETFLAGS, &(flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL)) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!done && on) {
        throw std::runtime_error("cannot make " + path.string() + " unwritable");
    }
}

} // namespace

UnwritableFile::UnwritableFile(std::filesystem::path path)
    : path_(std::move(path)) {
    ::chmod(path_.c_str(), 0444);
    if (::geteuid() == 0) {
        setImmutable(path_, true);
    }
}

UnwritableFile::~UnwritableFile() {
    if (::geteuid() == 0) {
        setImmutable(path_, false);
    }
    ::chmod(path_.c_str(), 0644);
}

} // namespace vantor::testing
