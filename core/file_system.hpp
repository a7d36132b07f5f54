#pragma once

#include "platform.hpp"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// True when the path names an existing regular file; a folder does not count.
bool fileExists(const std::filesystem::path& path);

// What the path names, links followed. Raises IoError when the system can't tell (a folder on the
// way that may not be searched), so that Missing means the file truly does not exist.
platform::FileKind fileKind(const std::filesystem::path& path);

// False when nothing exists at path, so that "File not found!" is only ever told for a missing file.
// Raises IoError when the system can't tell, and when something other than a regular file is there
// (a folder as the system refuses to read one).
bool regularFileFound(const std::filesystem::path& path);

// True when both paths name one existing file: the same path, a link to it or a hard link.
// Raises IoError when the system can't tell.
bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second);

// Files are read and rewritten in pieces of this size, so that memory stays the same whatever a
// file's size.
inline constexpr std::size_t FileChunkSize = std::size_t{1} << 20;

// A regular file opened for reading alone. Raises IoError; a file that is not a regular file is
// refused.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);

    std::uint64_t size();
    // Fills bytes from offset on. Raises IoError, "Read beyond end of file" when the file ends
    // before the range does.
    void readAt(std::uint64_t offset, std::span<std::uint8_t> bytes);

protected:
    friend class NewContents;

    std::filesystem::path path_;
    platform::OpenFile file_;
};

// The new contents of a file being replaced, appended in order. Raises IoError naming the file.
class NewContents {
public:
    NewContents(platform::OpenFile& file, const std::filesystem::path& path, std::string_view noun);

    void append(std::span<const std::uint8_t> bytes);
    // Appends count bytes of source from offset on, copied by the system itself where it can, so
    // that they need not pass through this process. Raises IoError, "Read beyond end of file" when
    // source ends first.
    void appendCopy(ReadOnlyFile& source, std::uint64_t offset, std::uint64_t count);

private:
    platform::OpenFile& file_;
    const std::filesystem::path& path_;
    std::string writeStep_;
    std::uint64_t written_ = 0;
    bool systemCopies_ = true;
};

// Reads a whole regular file, opened for reading alone. Raises IoError.
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

// Reads count bytes from offset on, the file opened for reading alone. Raises IoError, "Read beyond
// end of file" when the file ends before the range does.
std::vector<std::uint8_t> readFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                        std::size_t count);

// The length of a regular file, opened for reading alone. Raises IoError.
std::uint64_t fileSize(const std::filesystem::path& path);

// Gives the file the new contents in one step: they are written to a new file in the same folder,
// flushed to disk and renamed over the old one, which keeps its permissions. On any failure the old
// file stays byte for byte as it was and no new file is left behind. Raises IoError, whose text
// names the file and the step as "the new <noun>"; an existing file that may not be written is
// refused with "File access denied", and one that is not a regular file is refused, before
// anything is written.
void replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> contents,
                 std::string_view noun = "file");

// The same, with the new contents written by writeContents a piece at a time, so that a file of any
// size is replaced with little memory.
void replaceFileWith(const std::filesystem::path& path, std::string_view noun,
                     const std::function<void(NewContents&)>& writeContents);

// Writes an output file: an existing device or FIFO is written through in place, never replaced;
// anything else as replaceFile. Raises IoError.
void writeOutputFile(const std::filesystem::path& path, std::span<const std::uint8_t> contents);

// Writes the contents to the process's standard output. Raises IoError.
void writeStandardOutput(std::span<const std::uint8_t> contents);

// Makes the file writable by its owner, where the game's own tools would clear its read-only
// attribute. Failures are ignored: the write that follows reports them.
void clearReadOnly(const std::filesystem::path& path) noexcept;

// A regular file held under its exclusive advisory lock from its first read to its replacement, so
// that two read-modify-writes of one file, in this process or another, take turns and neither
// update is lost. Every rewrite of a track goes through here.
class LockedFile : public ReadOnlyFile {
public:
    // Opens the file and waits for its lock. Raises IoError; a file that is not a regular file is
    // refused.
    explicit LockedFile(const std::filesystem::path& path);

    // The whole contents, read under the lock; once, as it reads on from where it stopped. Raises
    // IoError.
    std::vector<std::uint8_t> read();

    // Replaces the file as replaceFile does while the lock is still held. Raises IoError.
    void replace(std::span<const std::uint8_t> contents, std::string_view noun);

    // Replaces the file as replaceFileWith does while the lock is still held. Raises IoError.
    void replaceWith(std::string_view noun, const std::function<void(NewContents&)>& writeContents);
};

} // namespace vantor
