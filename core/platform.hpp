#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

// The core's one door to the operating system. Every call that touches a file goes through here, so
// a port replaces one source file (platform_posix.cpp and its siblings) and a test can make any
// single call fail. Everything in this header is the same on every system.
namespace vantor::platform {

// A failed operating-system call: its portable condition and the system's own words for it.
class SystemError : public std::runtime_error {
public:
    SystemError(std::errc condition, const std::string& systemText);
    std::errc condition() const noexcept { return condition_; }

private:
    std::errc condition_;
};

enum class FileKind { Missing, Regular, Folder, Device, Fifo, Other };

// What names one file whatever path leads to it: device and inode, or the system's equivalent.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// An open file, closed when it leaves scope. Every call raises SystemError.
class OpenFile {
public:
    // The system's handle; InvalidHandle for none.
    using Handle = std::intptr_t;
    static constexpr Handle InvalidHandle = -1;

    OpenFile() = default;
    explicit OpenFile(Handle handle)
        : handle_(handle) {}
    OpenFile(OpenFile&& other) noexcept;
    OpenFile& operator=(OpenFile&& other) noexcept;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile();

    Handle handle() const { return handle_; }

    // Reads into buffer from the current position; 0 at the end of the file.
    std::size_t read(std::span<std::uint8_t> buffer);
    // Reads into buffer from offset on, leaving the current position alone; 0 at the end.
    std::size_t readAt(std::span<std::uint8_t> buffer, std::uint64_t offset);
    // Writes all of bytes at the current position.
    void write(std::span<const std::uint8_t> bytes);
    // Returns once the contents written so far are on the disk.
    void flushToDisk();
    // Starts writing the range to the disk without waiting for it, so that a large file's writes
    // overlap the work that produces them and its flush has little left to do. Only a hint: a
    // failure here is the flush's to report.
    void startFlushing(std::uint64_t offset, std::uint64_t count) noexcept;
    // Waits until this process holds the file's exclusive advisory lock; closing releases it.
    void lockExclusive();
    FileKind kind() const;
    FileIdentity identity() const;
    std::uint64_t size() const;
    // Closes now, so that a failing close is seen.
    void close();

private:
    // Closes a handle on the way out, where a failure has no one to tell.
    static void closeQuietly(Handle handle) noexcept;

    Handle handle_ = InvalidHandle;
};

// Opens an existing file for reading alone. Never waits, not even on a FIFO: check kind() before
// reading from anything but a regular file.
OpenFile openForReading(const std::filesystem::path& path);

// Opens an existing file that is not a regular file (a device, a FIFO) for writing in place: no
// creation, no truncation. Waits for a reader on a FIFO.
OpenFile openForWritingThrough(const std::filesystem::path& path);

// The kind of file the path names, links followed; Missing when nothing is there. Raises
// SystemError when the system can't tell (a folder on the way that may not be searched).
FileKind kindOf(const std::filesystem::path& path);

// The identity of the file the path names, links followed; empty when nothing is there. Raises
// SystemError when the system can't tell.
std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

// True when this process may write the existing file or folder at path.
bool mayWrite(const std::filesystem::path& path);

// A new empty file with a name of its own in the folder of target, open for writing. Until
// replaceByRename or removeFile is called on it, it is also removed when the process is ended by
// an interrupt, termination or hang-up signal (or the system's equivalent).
struct TempFile {
    OpenFile file;
    std::filesystem::path path;
};
TempFile createTempBeside(const std::filesystem::path& target);

// Gives a new file the permissions and, where the process may, the owner of the existing file
// target; when there is no such file, the permissions the process gives new files.
void adoptAccessRights(const OpenFile& file, const std::filesystem::path& target);

// Appends count bytes of from, read at offset, at the current position of to, copied by the system
// itself so that they need not pass through this process. Returns the bytes copied, fewer only at
// the end of from; none, with nothing copied, where the system can't copy between these two files
// (then read and write them instead).
std::optional<std::uint64_t> copyRange(OpenFile& from, std::uint64_t offset, std::uint64_t count,
                                       OpenFile& to);

// Renames from over to in one step; to is replaced, never half-written.
void replaceByRename(const std::filesystem::path& from, const std::filesystem::path& to);

// Makes a rename inside folder durable.
void syncFolder(const std::filesystem::path& folder);

// Removes a file the core made. Failures are ignored: it only tidies up.
void removeFile(const std::filesystem::path& path) noexcept;

// Makes an existing regular file writable by its owner. Failures are ignored: the write that
// follows reports them.
void makeOwnerWritable(const std::filesystem::path& path) noexcept;

// Writes all of bytes to the process's standard output.
void writeStandardOutput(std::span<const std::uint8_t> bytes);

// The folder of the running program's own file; empty when the system does not tell.
std::filesystem::path programFolder();

// The folder that holds the user's settings of every program: %APPDATA% on Windows,
// $XDG_CONFIG_HOME (when it is an absolute path) or ~/.config elsewhere.
std::filesystem::path userConfigFolder();

// The program's arguments after its own name, in UTF-8: on Windows they are taken from the wide
// command line, so that names outside the system's code page survive.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Puts standard output and standard error into binary mode, so that every system writes the same
// bytes (no CR added before LF on Windows).
void useBinaryStandardStreams();

// The characters that end a folder's name in a file name: "/", and on Windows also "\" and the
// drive's ":".
std::string_view folderSeparators();

// True where the file system takes names without regard to case.
bool fileNamesIgnoreCase();

// The path named by UTF-8 text, and back; on POSIX systems the bytes are taken as they are.
std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8FromPath(const std::filesystem::path& path);

// Test hook: from now on, counts the platform calls and makes call number failingCall (counted
// from 1; 0 for none) fail with condition, as the system would have failed it.
struct FaultPlan {
    std::uint64_t failingCall = 0;
    std::errc condition = std::errc::io_error;
};
void setFaultPlan(const FaultPlan& plan);
// The platform calls counted since the plan was set.
std::uint64_t platformCallCount();

// Where a platform call starts: counts it and raises the planned failure. Each implementation calls
// it first in every function above that may fail.
void faultPoint();

} // namespace vantor::platform
