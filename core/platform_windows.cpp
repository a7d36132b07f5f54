#include "platform.hpp"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

// windows.h first: the other system headers build on it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <stdio.h>

namespace vantor::platform {

namespace fs = std::filesystem;

namespace {

// The portable condition of a Windows error, chosen as the POSIX build reports the same situation,
// so that both show the same message for it.
std::errc conditionOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return std::errc::no_such_file_or_directory;
    case ERROR_DIRECTORY:
        return std::errc::not_a_directory;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return std::errc::invalid_argument;
    case ERROR_FILENAME_EXCED_RANGE:
        return std::errc::filename_too_long;
    case ERROR_TOO_MANY_OPEN_FILES:
        return std::errc::too_many_files_open;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return std::errc::permission_denied;
    // Another program holds the file open without sharing it, as a running game does.
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::errc::device_or_resource_busy;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return std::errc::no_space_on_device;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return std::errc::file_exists;
    case ERROR_NOT_SAME_DEVICE:
        return std::errc::cross_device_link;
    default:
        return std::errc::io_error;
    }
}

std::string utf8Of(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

// The system's own words for an error, in English where the system has them.
std::string systemText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L'.')) {
        text.pop_back();
    }
    return text.empty() ? "Windows error " + std::to_string(error) : utf8Of(text);
}

[[noreturn]] void raiseError(DWORD error) {
    throw SystemError(conditionOf(error), systemText(error));
}

[[noreturn]] void raiseLastError() {
    raiseError(::GetLastError());
}

HANDLE handleOf(OpenFile::Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// Other handles may read, write, rename and delete the file meanwhile: a file held by the core
// never stands in the way of its own replacement, nor of another program.
constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens what the path names, links followed. A folder opens only for FILE_FLAG_BACKUP_SEMANTICS.
HANDLE openHandle(const fs::path& path, DWORD access, DWORD disposition,
                  DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return ::CreateFileW(path.c_str(), access, ShareAll, nullptr, disposition, flags, nullptr);
}

OpenFile openChecked(const fs::path& path, DWORD access) {
    const HANDLE handle = openHandle(path, access, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE) {
        raiseLastError();
    }
    return OpenFile(reinterpret_cast<OpenFile::Handle>(handle));
}

BY_HANDLE_FILE_INFORMATION informationOf(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information)) {
        raiseLastError();
    }
    return information;
}

FileKind kindOfHandle(HANDLE handle) {
    switch (::GetFileType(handle)) {
    case FILE_TYPE_DISK:
        return (informationOf(handle).dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder
                                                                                        : FileKind::Regular;
    case FILE_TYPE_CHAR:
        return FileKind::Device;
    case FILE_TYPE_PIPE:
        return FileKind::Fifo;
    default:
        return FileKind::Other;
    }
}

FileIdentity identityOfHandle(HANDLE handle) {
    const BY_HANDLE_FILE_INFORMATION information = informationOf(handle);
    return {information.dwVolumeSerialNumber,
            (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

// A handle that only looks at what the path names, folders included; empty when nothing is there.
class QueryHandle {
public:
    explicit QueryHandle(const fs::path& path)
        : handle_(openHandle(path, 0, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (conditionOf(error) != std::errc::no_such_file_or_directory &&
                conditionOf(error) != std::errc::not_a_directory) {
                raiseError(error);
            }
        }
    }
    QueryHandle(const QueryHandle&) = delete;
    QueryHandle& operator=(const QueryHandle&) = delete;
    ~QueryHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    bool found() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The temp files to remove when the console is closed or interrupted. The handler runs on a thread
// of its own, so a mutex guards the list.
class InterruptCleanup {
public:
    // Creates a new file at path and records it in one step: the handler waits for the same
    // mutex, so an interrupt in between cannot end the process before it knows of the file.
    // Returns the handle, or INVALID_HANDLE_VALUE with the system's error in error.
    HANDLE createRecorded(const fs::path& path, DWORD& error) {
        const std::lock_guard lock(mutex_);
        if (!installed_) {
            installed_ = ::SetConsoleCtrlHandler(&InterruptCleanup::onInterrupt, TRUE) != 0;
        }
        const HANDLE handle = openHandle(path, GENERIC_WRITE, CREATE_NEW);
        error = ::GetLastError();
        if (handle != INVALID_HANDLE_VALUE) {
            paths_.push_back(path);
        }
        return handle;
    }
    void forget(const fs::path& path) noexcept {
        const std::lock_guard lock(mutex_);
        std::erase(paths_, path);
    }

private:
    static BOOL WINAPI onInterrupt(DWORD event);

    std::mutex mutex_;
    std::vector<fs::path> paths_;
    bool installed_ = false;
};

InterruptCleanup interruptCleanup;

BOOL WINAPI InterruptCleanup::onInterrupt(DWORD) {
    const std::lock_guard lock(interruptCleanup.mutex_);
    for (const fs::path& path : interruptCleanup.paths_) {
        ::DeleteFileW(path.c_str());
    }
    interruptCleanup.paths_.clear();
    // The next handler, the system's own, ends the process as it would have.
    return FALSE;
}

void writeAllTo(HANDLE handle, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, nullptr)) {
            raiseLastError();
        }
        if (written == 0) {
            raiseError(ERROR_DISK_FULL);
        }
        bytes = bytes.subspan(written);
    }
}

std::size_t readInto(HANDLE handle, std::span<std::uint8_t> buffer, OVERLAPPED* position) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
    DWORD count = 0;
    if (!::ReadFile(handle, buffer.data(), chunk, &count, position)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE) {
            return 0;
        }
        raiseError(error);
    }
    return count;
}

// Nothing can be renamed over a file that a handle holds open, as the core's own lock does, but
// that file can itself be renamed when every handle shares deletion, as the core's do: it moves
// aside, the new file takes its name, and the old one goes once its last handle is closed. For a
// moment the name is free; a failure on the way puts the old file back.
bool replaceHeldFile(const fs::path& from, const fs::path& to) {
    const fs::path aside = from.native() + L".old";
    if (!::MoveFileExW(to.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) {
        ::MoveFileExW(aside.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
        return false;
    }
    ::DeleteFileW(aside.c_str());
    return true;
}

std::wstring environmentValue(const wchar_t* name) {
    const DWORD length = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring value(length, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), length));
    return value;
}

} // namespace

void OpenFile::closeQuietly(Handle handle) noexcept {
    ::CloseHandle(handleOf(handle));
}

std::size_t OpenFile::read(std::span<std::uint8_t> buffer) {
    faultPoint();
    return readInto(handleOf(handle_), buffer, nullptr);
}

std::size_t OpenFile::readAt(std::span<std::uint8_t> buffer, std::uint64_t offset) {
    faultPoint();
    // A positioned read moves the file pointer of a synchronous handle: put it back.
    LARGE_INTEGER current{};
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(handleOf(handle_), zero, &current, FILE_CURRENT)) {
        raiseLastError();
    }
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    const std::size_t count = readInto(handleOf(handle_), buffer, &position);
    ::SetFilePointerEx(handleOf(handle_), current, nullptr, FILE_BEGIN);
    return count;
}

void OpenFile::write(std::span<const std::uint8_t> bytes) {
    faultPoint();
    writeAllTo(handleOf(handle_), bytes);
}

void OpenFile::flushToDisk() {
    faultPoint();
    if (!::FlushFileBuffers(handleOf(handle_))) {
        raiseLastError();
    }
}

void OpenFile::startFlushing(std::uint64_t offset, std::uint64_t count) noexcept {
    // Windows has no call that starts writing a range without waiting for it; the flush does all.
    static_cast<void>(offset);
    static_cast<void>(count);
}

void OpenFile::lockExclusive() {
    faultPoint();
    // Windows locks keep everyone else from the bytes they cover; one byte far past any end keeps
    // the lock advisory, as on POSIX systems: other programs still read the track meanwhile.
    OVERLAPPED farPastTheEnd{};
    farPastTheEnd.Offset = 0xFFFFFFFE;
    farPastTheEnd.OffsetHigh = 0x7FFFFFFF;
    if (!::LockFileEx(handleOf(handle_), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &farPastTheEnd)) {
        raiseLastError();
    }
}

FileKind OpenFile::kind() const {
    faultPoint();
    return kindOfHandle(handleOf(handle_));
}

FileIdentity OpenFile::identity() const {
    faultPoint();
    return identityOfHandle(handleOf(handle_));
}

std::uint64_t OpenFile::size() const {
    faultPoint();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handleOf(handle_), &size)) {
        raiseLastError();
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

void OpenFile::close() {
    faultPoint();
    if (!::CloseHandle(handleOf(std::exchange(handle_, InvalidHandle)))) {
        raiseLastError();
    }
}

OpenFile openForReading(const fs::path& path) {
    faultPoint();
    return openChecked(path, GENERIC_READ);
}

OpenFile openForWritingThrough(const fs::path& path) {
    faultPoint();
    return openChecked(path, GENERIC_WRITE);
}

FileKind kindOf(const fs::path& path) {
    faultPoint();
    const QueryHandle query(path);
    return query.found() ? kindOfHandle(query.get()) : FileKind::Missing;
}

std::optional<FileIdentity> identityOf(const fs::path& path) {
    faultPoint();
    const QueryHandle query(path);
    if (!query.found()) {
        return std::nullopt;
    }
    return identityOfHandle(query.get());
}

bool mayWrite(const fs::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
            return false;
        }
        const HANDLE handle = openHandle(path, GENERIC_WRITE, OPEN_EXISTING);
        if (handle == INVALID_HANDLE_VALUE) {
            return false;
        }
        ::CloseHandle(handle);
        return true;
    }
    // A folder's read-only flag means nothing; its access rights show only when a file is made.
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const fs::path probe = path / (".vantor-probe-" + std::to_string(::GetCurrentProcessId()) + "-" +
                                       std::to_string(attempt));
        const HANDLE handle = openHandle(probe, GENERIC_WRITE, CREATE_NEW,
                                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE);
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            return false;
        }
    }
    return false;
}

TempFile createTempBeside(const fs::path& target) {
    faultPoint();
    const fs::path folder = target.parent_path();
    const std::wstring stem =
        L"." + target.filename().native() + L"." + std::to_wstring(::GetCurrentProcessId());
    for (unsigned attempt = 0;; ++attempt) {
        fs::path path = folder / (stem + L"." + std::to_wstring(::GetTickCount() + attempt));
        DWORD error = ERROR_SUCCESS;
        const HANDLE handle = interruptCleanup.createRecorded(path, error);
        if (handle != INVALID_HANDLE_VALUE) {
            return TempFile{OpenFile(reinterpret_cast<OpenFile::Handle>(handle)), std::move(path)};
        }
        if (error != ERROR_FILE_EXISTS || attempt == 1000) {
            raiseError(error);
        }
    }
}

void adoptAccessRights(const OpenFile& file, const fs::path& target) {
    faultPoint();
    // The new file inherits its folder's access rights as the old one did; of the attributes, the
    // old file's are kept (hidden, system, archive).
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                         FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (basic.FileAttributes == 0) {
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    }
    if (!::SetFileInformationByHandle(handleOf(file.handle()), FileBasicInfo, &basic, sizeof basic)) {
        raiseLastError();
    }
}

std::optional<std::uint64_t> copyRange(OpenFile& from, std::uint64_t offset, std::uint64_t count,
                                       OpenFile& to) {
    faultPoint();
    // Windows copies whole files only, never a range onto the end of another: the caller reads and
    // writes instead.
    static_cast<void>(from);
    static_cast<void>(offset);
    static_cast<void>(count);
    static_cast<void>(to);
    return std::nullopt;
}

void replaceByRename(const fs::path& from, const fs::path& to) {
    faultPoint();
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_ACCESS_DENIED || !replaceHeldFile(from, to)) {
            raiseError(error);
        }
    }
    interruptCleanup.forget(from);
}

void syncFolder(const fs::path&) {
    // MOVEFILE_WRITE_THROUGH has already made the rename durable: folders cannot be flushed here.
    faultPoint();
}

void removeFile(const fs::path& path) noexcept {
    ::DeleteFileW(path.c_str());
    interruptCleanup.forget(path);
}

void makeOwnerWritable(const fs::path& path) noexcept {
    // As the game's own tools do: the archive attribute alone, which clears read-only, hidden and
    // system.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    }
}

void writeStandardOutput(std::span<const std::uint8_t> bytes) {
    faultPoint();
    writeAllTo(::GetStdHandle(STD_OUTPUT_HANDLE), bytes);
}

fs::path programFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return fs::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

fs::path userConfigFolder() {
    const std::wstring appData = environmentValue(L"APPDATA");
    if (!appData.empty()) {
        return appData;
    }
    return fs::path(environmentValue(L"USERPROFILE")) / L"AppData" / L"Roaming";
}

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; i < count; ++i) {
        result.push_back(utf8Of(arguments[i]));
    }
    ::LocalFree(arguments);
    return result;
}

void useBinaryStandardStreams() {
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

std::string_view folderSeparators() {
    return "/\\:";
}

bool fileNamesIgnoreCase() {
    return true;
}

} // namespace vantor::platform
