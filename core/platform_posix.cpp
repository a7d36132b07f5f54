#include "platform.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor::platform {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void raiseErrno(int errorNumber) {
    // A full quota is a full disk to the user; the portable conditions have no name for it.
    const std::errc condition =
        errorNumber == EDQUOT ? std::errc::no_space_on_device : static_cast<std::errc>(errorNumber);
    throw SystemError(condition, std::strerror(errorNumber));
}

int descriptorOf(OpenFile::Handle handle) {
    return static_cast<int>(handle);
}

struct stat statusOf(OpenFile::Handle handle) {
    struct stat status {};
    if (::fstat(descriptorOf(handle), &status) != 0) {
        raiseErrno(errno);
    }
    return status;
}

FileKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileKind::Device;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Fifo;
    }
    return FileKind::Other;
}

FileIdentity identityOfStatus(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// The status of what path names; empty when nothing is there.
std::optional<struct stat> pathStatus(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        return status;
    }
    if (errno == ENOENT || errno == ENOTDIR) {
        return std::nullopt;
    }
    raiseErrno(errno);
}

OpenFile openChecked(const fs::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        raiseErrno(errno);
    }
    return OpenFile(fd);
}

// The temp files that a signal must take with it. The handler may only look at plain memory, so
// each slot holds its path as a fixed buffer and is claimed and freed through its flag.
class SignalCleanup {
public:
    void add(const fs::path& path) noexcept {
        const std::string& text = path.native();
        for (Slot& slot : slots_) {
            bool expected = false;
            if (text.size() < slot.path.size() && slot.claimed.compare_exchange_strong(expected, true)) {
                std::memcpy(slot.path.data(), text.c_str(), text.size() + 1);
                slot.ready.store(true);
                installHandlers();
                return;
            }
        }
    }
    void forget(const fs::path& path) noexcept {
        for (Slot& slot : slots_) {
            if (slot.ready.load() && path.native() == slot.path.data()) {
                slot.ready.store(false);
                slot.claimed.store(false);
                return;
            }
        }
    }

    // Holds the signals back while a temp file is created and recorded: one arriving in between
    // would end the process before the handler knew of the file.
    class Held {
    public:
        Held() noexcept {
            sigset_t set;
            sigemptyset(&set);
            for (int signal : Signals) {
                sigaddset(&set, signal);
            }
            ::pthread_sigmask(SIG_BLOCK, &set, &old_);
        }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        ~Held() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

    private:
        sigset_t old_;
    };

private:
    struct Slot {
        std::atomic<bool> claimed{false};
        std::atomic<bool> ready{false};
        std::array<char, 4096> path{};
    };
    static constexpr std::array<int, 3> Signals = {SIGINT, SIGTERM, SIGHUP};

    void installHandlers() noexcept {
        if (installed_.exchange(true)) {
            return;
        }
        for (int signal : Signals) {
            struct sigaction current {};
            // A signal the process ignores (hang-up under nohup) or handles itself stays as it is.
            if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
                struct sigaction action {};
                action.sa_handler = &SignalCleanup::onSignal;
                sigemptyset(&action.sa_mask);
                action.sa_flags = SA_RESETHAND;
                ::sigaction(signal, &action, nullptr);
            }
        }
    }

    static void onSignal(int signal);

    std::array<Slot, 16> slots_;
    std::atomic<bool> installed_{false};
};

SignalCleanup signalCleanup;

void SignalCleanup::onSignal(int signal) {
    for (Slot& slot : signalCleanup.slots_) {
        if (slot.ready.load()) {
            ::unlink(slot.path.data());
        }
    }
    // The handler was reset on entry: the signal now ends the process as it would have.
    ::raise(signal);
}

void writeAllTo(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            raiseErrno(errno);
        }
        if (written == 0) {
            raiseErrno(ENOSPC);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
}

} // namespace

void OpenFile::closeQuietly(Handle handle) noexcept {
    ::close(descriptorOf(handle));
}

std::size_t OpenFile::read(std::span<std::uint8_t> buffer) {
    faultPoint();
    for (;;) {
        const ssize_t count = ::read(descriptorOf(handle_), buffer.data(), buffer.size());
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            raiseErrno(errno);
        }
    }
}

std::size_t OpenFile::readAt(std::span<std::uint8_t> buffer, std::uint64_t offset) {
    faultPoint();
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return 0;
    }
    for (;;) {
        const ssize_t count =
            ::pread(descriptorOf(handle_), buffer.data(), buffer.size(), static_cast<off_t>(offset));
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            raiseErrno(errno);
        }
    }
}

void OpenFile::write(std::span<const std::uint8_t> bytes) {
    faultPoint();
    writeAllTo(descriptorOf(handle_), bytes);
}

void OpenFile::startFlushing(std::uint64_t offset, std::uint64_t count) noexcept {
#ifdef __linux__
    ::sync_file_range(descriptorOf(handle_), static_cast<off_t>(offset), static_cast<off_t>(count),
                      SYNC_FILE_RANGE_WRITE);
#else
    static_cast<void>(offset);
    static_cast<void>(count);
#endif
}

void OpenFile::flushToDisk() {
    faultPoint();
    if (::fsync(descriptorOf(handle_)) != 0) {
        raiseErrno(errno);
    }
}

void OpenFile::lockExclusive() {
    faultPoint();
    while (::flock(descriptorOf(handle_), LOCK_EX) != 0) {
        if (errno != EINTR) {
            raiseErrno(errno);
        }
    }
}

FileKind OpenFile::kind() const {
    faultPoint();
    return kindOfMode(statusOf(handle_).st_mode);
}

FileIdentity OpenFile::identity() const {
    faultPoint();
    return identityOfStatus(statusOf(handle_));
}

std::uint64_t OpenFile::size() const {
    faultPoint();
    return static_cast<std::uint64_t>(statusOf(handle_).st_size);
}

void OpenFile::close() {
    faultPoint();
    const int fd = descriptorOf(std::exchange(handle_, InvalidHandle));
    if (::close(fd) != 0) {
        raiseErrno(errno);
    }
}

OpenFile openForReading(const fs::path& path) {
    faultPoint();
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    return openChecked(path, O_RDONLY | O_NONBLOCK);
}

OpenFile openForWritingThrough(const fs::path& path) {
    faultPoint();
    return openChecked(path, O_WRONLY | O_NOCTTY);
}

FileKind kindOf(const fs::path& path) {
    faultPoint();
    const auto status = pathStatus(path);
    return status ? kindOfMode(status->st_mode) : FileKind::Missing;
}

std::optional<FileIdentity> identityOf(const fs::path& path) {
    faultPoint();
    const auto status = pathStatus(path);
    if (!status) {
        return std::nullopt;
    }
    return identityOfStatus(*status);
}

bool mayWrite(const fs::path& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

TempFile createTempBeside(const fs::path& target) {
    faultPoint();
    const fs::path folder = target.parent_path();
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).native();
    const SignalCleanup::Held held;
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        raiseErrno(errno);
    }
    TempFile temp{OpenFile(fd), fs::path(pattern)};
    signalCleanup.add(temp.path);
    return temp;
}

void adoptAccessRights(const OpenFile& file, const fs::path& target) {
    faultPoint();
    const int fd = descriptorOf(file.handle());
    const auto status = pathStatus(target);
    if (!status) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(fd, 0666 & ~mask) != 0) {
            raiseErrno(errno);
        }
        return;
    }
    if (::fchmod(fd, status->st_mode & 07777) != 0) {
        raiseErrno(errno);
    }
    if (status->st_uid != ::geteuid() || status->st_gid != ::getegid()) {
        // Only possible for a privileged user; the file keeps its owner where it can.
        [[maybe_unused]] const int ignored = ::fchown(fd, status->st_uid, status->st_gid);
    }
}

std::optional<std::uint64_t> copyRange(OpenFile& from, std::uint64_t offset, std::uint64_t count,
                                       OpenFile& to) {
    faultPoint();
#ifdef __linux__
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return 0;
    }
    auto at = static_cast<off_t>(offset);
    std::uint64_t done = 0;
    while (done < count) {
        const std::size_t piece = static_cast<std::size_t>(
            std::min<std::uint64_t>(count - done, std::numeric_limits<ssize_t>::max()));
        const ssize_t copied =
            ::copy_file_range(descriptorOf(from.handle()), &at, descriptorOf(to.handle()), nullptr, piece, 0);
        if (copied < 0) {
            if (errno == EINTR) {
                continue;
            }
            // Older kernels, other file systems and sandboxes that forbid the call.
            if (done == 0 && (errno == ENOSYS || errno == EXDEV || errno == EOPNOTSUPP || errno == EINVAL ||
                              errno == EPERM)) {
                return std::nullopt;
            }
            raiseErrno(errno);
        }
        if (copied == 0) {
            break;
        }
        done += static_cast<std::uint64_t>(copied);
    }
    return done;
#else
    static_cast<void>(from);
    static_cast<void>(offset);
    static_cast<void>(count);
    static_cast<void>(to);
    return std::nullopt;
#endif
}

void replaceByRename(const fs::path& from, const fs::path& to) {
    faultPoint();
    if (::rename(from.c_str(), to.c_str()) != 0) {
        raiseErrno(errno);
    }
    signalCleanup.forget(from);
}

void syncFolder(const fs::path& folder) {
    faultPoint();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        raiseErrno(errno);
    }
    const int result = ::fsync(fd);
    const int syncError = errno;
    ::close(fd);
    if (result != 0) {
        raiseErrno(syncError);
    }
}

void removeFile(const fs::path& path) noexcept {
    ::unlink(path.c_str());
    signalCleanup.forget(path);
}

void makeOwnerWritable(const fs::path& path) noexcept {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        ::chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR);
    }
}

void writeStandardOutput(std::span<const std::uint8_t> bytes) {
    faultPoint();
    writeAllTo(STDOUT_FILENO, bytes);
}

fs::path programFolder() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : program.parent_path();
}

fs::path userConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
        return config;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : ".") / ".config";
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return {argv + std::min(argc, 1), argv + argc};
}

void useBinaryStandardStreams() {}

std::string_view folderSeparators() {
    return "/";
}

bool fileNamesIgnoreCase() {
    return false;
}

} // namespace vantor::platform
