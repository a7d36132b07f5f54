#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace vantor {

// True when the path names an existing regular file; a folder does not count.
bool fileExists(const std::filesystem::path& path);

// Files are read and rewritten in pieces of this size, so that memory stays the same whatever a
// file's size.
inline constexpr std::size_t FileChunkSize = std::size_t{1} << 20;

// A file opened for reading alone; a folder is refused as the system refuses it. Raises IoError.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::filesystem::path& path);
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // The length when the file was opened.
    std::uint64_t size() const { return size_; }
    // Fills bytes from offset on. Raises IoError, "Read beyond end of file" when the file ends
    // before the range does.
    void readAt(std::uint64_t offset, std::span<std::uint8_t> bytes) const;

private:
    int fd_;
    std::uint64_t size_ = 0;
};

// Reads a whole file, opened for reading alone. Raises IoError.
std::vector<std::uint8_t> readFile(const std::filesystem::path& path);

// Reads count bytes from offset on, the file opened for reading alone. Raises IoError, "Read beyond
// end of file" when the file ends before the range does.
std::vector<std::uint8_t> readFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                        std::size_t count);

// The length of a file, opened for reading alone. Raises IoError.
std::uint64_t fileSize(const std::filesystem::path& path);

// Gives the file the new contents in one step: they are written to a new file in the same folder,
// flushed to disk and renamed over the old one, which keeps its permissions. On any failure the old
// file stays byte for byte as it was and no new file is left behind. Raises IoError; an existing
// file that may not be written is refused with "File access denied" before anything is written.
void replaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> contents);

// Makes the file writable by its owner, where the game's own tools would clear its read-only
// attribute. Failures are ignored: the write that follows reports them.
void clearReadOnly(const std::filesystem::path& path) noexcept;

} // namespace vantor
