#include "file_system.hpp"

#include "io_error.hpp"

#include <algorithm>
#include <string>
#include <utility>

namespace vantor {

namespace {

namespace fs = std::filesystem;
using platform::FileKind;

// Runs one step on a file and turns a failed system call into the IoError that names both.
template <typename Work>
auto onFile(const fs::path& file, std::string_view step, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const platform::SystemError& error) {
        throw IoError::fromSystem(error.condition(), error.what(), file, step);
    }
}

// Refuses what is not a regular file: a folder as the system refuses to read one.
void requireRegular(FileKind kind, const fs::path& path) {
    switch (kind) {
    case FileKind::Regular:
    case FileKind::Missing:
        return;
    case FileKind::Folder:
        throw IoError(IoError::FileAccessDenied);
    default:
        throw IoError::notARegularFile(path);
    }
}

// Opens a regular file for reading alone.
platform::OpenFile openRegularFile(const fs::path& path) {
    return onFile(path, "cannot open the file", [&] {
        platform::OpenFile file = platform::openForReading(path);
        requireRegular(file.kind(), path);
        return file;
    });
}

// Reads from the current position to the end: a file just opened, whole.
std::vector<std::uint8_t> readWhole(platform::OpenFile& file, const fs::path& path) {
    return onFile(path, "cannot read the file", [&] {
        std::vector<std::uint8_t> contents(static_cast<std::size_t>(file.size()));
        std::size_t done = 0;
        for (;;) {
            if (done == contents.size()) {
                // The file may have grown since its size was taken. Probed in a small buffer, so
                // that a file read whole is not moved into a larger vector just to find its end.
                std::uint8_t probe[4096];
                const std::size_t got = file.read(probe);
                if (got == 0) {
                    return contents;
                }
                contents.insert(contents.end(), probe, probe + got);
                done += got;
                continue;
            }
            const std::size_t got = file.read(std::span(contents).subspan(done));
            if (got == 0) {
                contents.resize(done);
                return contents;
            }
            done += got;
        }
    });
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
            platform::removeFile(path_);
        }
    }
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
    try {
        return platform::kindOf(path) == FileKind::Regular;
    } catch (const platform::SystemError&) {
        return false;
    }
}

FileKind fileKind(const fs::path& path) {
    return onFile(path, "cannot look up the file", [&] { return platform::kindOf(path); });
}

bool regularFileFound(const fs::path& path) {
    const FileKind kind = fileKind(path);
    requireRegular(kind, path);
    return kind == FileKind::Regular;
}

bool sameFile(const fs::path& first, const fs::path& second) {
    const auto identityOf = [](const fs::path& path) {
        return onFile(path, "cannot look up the file", [&] { return platform::identityOf(path); });
    };
    const auto firstIdentity = identityOf(first);
    return firstIdentity && firstIdentity == identityOf(second);
}

std::vector<std::uint8_t> readFile(const fs::path& path) {
    platform::OpenFile file = openRegularFile(path);
    return readWhole(file, path);
}

ReadOnlyFile::ReadOnlyFile(const fs::path& path)
    : path_(path)
    , file_(openRegularFile(path)) {}

std::uint64_t ReadOnlyFile::size() {
    return onFile(path_, "cannot read the file", [&] { return file_.size(); });
}

void ReadOnlyFile::readAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
    onFile(path_, "cannot read the file", [&] {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t got = file_.readAt(bytes.subspan(done), offset + done);
            if (got == 0) {
                throw IoError(IoError::ReadBeyondEnd);
            }
            done += got;
        }
    });
}

std::vector<std::uint8_t> readFileRange(const fs::path& path, std::uint64_t offset, std::size_t count) {
    ReadOnlyFile file(path);
    const std::uint64_t size = file.size();
    // Checked before the buffer is made, so that a range no file holds allocates nothing.
    if (offset > size || count > size - offset) {
        throw IoError(IoError::ReadBeyondEnd);
    }
    std::vector<std::uint8_t> contents(count);
    file.readAt(offset, contents);
    return contents;
}

std::uint64_t fileSize(const fs::path& path) {
    return ReadOnlyFile(path).size();
}

NewContents::NewContents(platform::OpenFile& file, const fs::path& path, std::string_view noun)
    : file_(file)
    , path_(path)
    , writeStep_("cannot write the new " + std::string(noun)) {}

void NewContents::append(std::span<const std::uint8_t> bytes) {
    onFile(path_, writeStep_, [&] { file_.write(bytes); });
    file_.startFlushing(written_, bytes.size());
    written_ += bytes.size();
}

void NewContents::appendCopy(ReadOnlyFile& source, std::uint64_t offset, std::uint64_t count) {
    if (systemCopies_) {
        const auto copied = onFile(path_, writeStep_,
                                   [&] { return platform::copyRange(source.file_, offset, count, file_); });
        if (copied) {
            if (*copied < count) {
                throw IoError(IoError::ReadBeyondEnd);
            }
            file_.startFlushing(written_, count);
            written_ += count;
            return;
        }
        systemCopies_ = false;
    }
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(count, FileChunkSize)));
    for (std::uint64_t done = 0; done < count;) {
        const auto piece = std::span(chunk).first(
            static_cast<std::size_t>(std::min<std::uint64_t>(count - done, chunk.size())));
        source.readAt(offset + done, piece);
        append(piece);
        done += piece.size();
    }
}

void replaceFile(const fs::path& path, std::span<const std::uint8_t> contents, std::string_view noun) {
    replaceFileWith(path, noun, [&](NewContents& out) { out.append(contents); });
}

void replaceFileWith(const fs::path& path, std::string_view noun,
                     const std::function<void(NewContents&)>& writeContents) {
    const fs::path target = resolvedTarget(path);
    // The rename would get past a file that may not be written; refuse it as opening it would.
    if (regularFileFound(target) && !platform::mayWrite(target)) {
        throw IoError(IoError::FileAccessDenied);
    }

    const std::string newFile = "the new " + std::string(noun);
    platform::TempFile temp =
        onFile(path, "cannot create " + newFile, [&] { return platform::createTempBeside(target); });
    PendingFile pending(temp.path);
    NewContents contents(temp.file, path, noun);
    writeContents(contents);
    onFile(path, "cannot set the permissions of " + newFile,
           [&] { platform::adoptAccessRights(temp.file, target); });
    onFile(path, "cannot flush " + newFile + " to disk", [&] {
        temp.file.flushToDisk();
        temp.file.close();
    });
    onFile(path, "cannot put " + newFile + " in place",
           [&] { platform::replaceByRename(temp.path, target); });
    pending.commit();

    // Makes the rename itself durable; the contents are already safe either way, so a failure
    // here changes nothing the user could act on.
    try {
        platform::syncFolder(target.parent_path());
    } catch (const platform::SystemError&) {
    }
}

void writeOutputFile(const fs::path& path, std::span<const std::uint8_t> contents) {
    const FileKind kind = fileKind(path);
    if (kind != FileKind::Device && kind != FileKind::Fifo) {
        replaceFile(path, contents);
        return;
    }
    // A device or a FIFO is where the user wants the bytes to go; replacing it would break it.
    platform::OpenFile file =
        onFile(path, "cannot open the file", [&] { return platform::openForWritingThrough(path); });
    onFile(path, "cannot write the file", [&] {
        file.write(contents);
        file.close();
    });
}

void writeStandardOutput(std::span<const std::uint8_t> contents) {
    onFile("standard output", "cannot write", [&] { platform::writeStandardOutput(contents); });
}

void clearReadOnly(const fs::path& path) noexcept {
    platform::makeOwnerWritable(path);
}

LockedFile::LockedFile(const fs::path& path)
    : ReadOnlyFile(path) {
    for (;;) {
        onFile(path, "cannot lock the file", [&] { file_.lockExclusive(); });
        // While this process waited, another may have replaced the file; the lock then guards a
        // file that no longer has this name, and the new one must be locked instead.
        const bool current = onFile(path, "cannot look up the file", [&] {
            const auto named = platform::identityOf(path);
            if (!named) {
                throw IoError(IoError::FileNotFound);
            }
            return *named == file_.identity();
        });
        if (current) {
            return;
        }
        file_ = openRegularFile(path);
    }
}

std::vector<std::uint8_t> LockedFile::read() {
    return readWhole(file_, path_);
}

void LockedFile::replace(std::span<const std::uint8_t> contents, std::string_view noun) {
    replaceFile(path_, contents, noun);
}

void LockedFile::replaceWith(std::string_view noun, const std::function<void(NewContents&)>& writeContents) {
    replaceFileWith(path_, noun, writeContents);
}

} // namespace vantor
