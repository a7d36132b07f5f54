#include "file_system.hpp"

#include "io_error.hpp"

#include <cerrno>
#include <limits>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {

namespace {

namespace fs = std::filesystem;

// Closes a descriptor when it leaves scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Hands the descriptor over without closing it.
    int releaseOwnership() { return std::exchange(fd_, -1); }
    // Closes now, so that a failing close is seen.
    int release() {
        int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

int openChecked(const fs::path& path, int flags, mode_t mode = 0) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    if (fd < 0) {
        throw IoError::fromErrno(errno);
    }
    return fd;
}

void writeAll(int fd, std::span<const std::uint8_t> contents) {
    while (!contents.empty()) {
        ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw IoError::fromErrno(errno);
        }
        if (written == 0) {
            throw IoError(IoError::DiskFull);
        }
        contents = contents.subspan(static_cast<std::size_t>(written));
    }
}

// Opens a file for reading alone; a folder is refused as the system refuses it.
int openForReading(const fs::path& path, struct stat& status) {
    FileDescriptor file(openChecked(path, O_RDONLY));
    if (::fstat(file.get(), &status) != 0) {
        throw IoError::fromErrno(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        throw IoError(IoError::FileAccessDenied);
    }
    return file.releaseOwnership();
}

// The file that the replacement renames over: a link is followed, so the link stays a link.
fs::path resolvedTarget(const fs::path& path) {
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::canonical(path, error);
        if (!error) {
            return target;
        }
    }
    return path;
}

// Removes the new file unless the replacement went through.
class PendingFile {
public:
    explicit PendingFile(fs::path path)
        : path_(std::move(path)) {}
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        if (!committed_) {
            ::unlink(path_.c_str());
        }
    }
    const fs::path& path() const { return path_; }
    void commit() { committed_ = true; }

private:
    fs::path path_;
    bool committed_ = false;
};

} // namespace

bool fileExists(const fs::path& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
    struct stat status {};
    FileDescriptor file(openForReading(path, status));
    std::vector<std::uint8_t> contents;
    contents.reserve(static_cast<std::size_t>(status.st_size));
    std::uint8_t buffer[1 << 16];
    for (;;) {
        ssize_t count = ::read(file.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw IoError::fromErrno(errno);
        }
        if (count == 0) {
            return contents;
        }
        contents.insert(contents.end(), buffer, buffer + count);
    }
}

ReadOnlyFile::ReadOnlyFile(const fs::path& path) {
    struct stat status {};
    fd_ = openForReading(path, status);
    size_ = static_cast<std::uint64_t>(status.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
    ::close(fd_);
}

void ReadOnlyFile::readAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const {
    // No file reaches past the largest offset, so such a range cannot be read whole.
    constexpr auto largestOffset = static_cast<std::uint64_t>(std::numeric_limits<off_t>::max());
    if (offset > largestOffset || bytes.size() > largestOffset - offset) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got =
            ::pread(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw IoError::fromErrno(errno);
        }
        if (got == 0) {
            throw IoError(IoError::ReadBeyondEnd);
        }
        done += static_cast<std::size_t>(got);
    }
}

std::vector<std::uint8_t> readFileRange(const fs::path& path, std::uint64_t offset, std::size_t count) {
    const ReadOnlyFile file(path);
    // A range the file cannot hold is refused before its buffer is made.
    if (offset > file.size() || count > file.size() - offset) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    std::vector<std::uint8_t> contents(count);
    file.readAt(offset, contents);
    return contents;
}

std::uint64_t fileSize(const fs::path& path) {
    return ReadOnlyFile(path).size();
}

void replaceFile(const fs::path& path, std::span<const std::uint8_t> contents) {
    const fs::path target = resolvedTarget(path);

    mode_t mode = 0666;
    struct stat oldStatus {};
    const bool replacing = ::stat(target.c_str(), &oldStatus) == 0;
    if (replacing) {
        if (S_ISDIR(oldStatus.st_mode)) {
            throw IoError(IoError::FileAccessDenied);
        }
        // The rename would get past a file that may not be written; refuse it as opening it would.
        if (::access(target.c_str(), W_OK) != 0) {
            throw IoError::fromErrno(errno);
        }
        mode = oldStatus.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }

    fs::path folder = target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw IoError::fromErrno(errno);
    }
    PendingFile pending{fs::path(pattern)};
    FileDescriptor file(fd);

    writeAll(file.get(), contents);
    if (::fchmod(file.get(), mode) != 0) {
        throw IoError::fromErrno(errno);
    }
    if (replacing && (oldStatus.st_uid != ::geteuid() || oldStatus.st_gid != ::getegid())) {
        // Only possible for a privileged user; the file keeps its owner where it can.
        [[maybe_unused]] int ignored = ::fchown(file.get(), oldStatus.st_uid, oldStatus.st_gid);
    }
    if (::fsync(file.get()) != 0 || file.release() != 0) {
        throw IoError::fromErrno(errno);
    }
    if (::rename(pending.path().c_str(), target.c_str()) != 0) {
        throw IoError::fromErrno(errno);
    }
    pending.commit();

    // Make the rename itself durable; the contents are already safe either way.
    int folderFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

void clearReadOnly(const fs::path& path) noexcept {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR);
    }
}

} // namespace vantor
