#include "file_system.hpp"

#include "io_error.hpp"

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
                // The file may have grown since its size was taken.
                contents.resize(done + (1 << 16));
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

std::vector<std::uint8_t> readFileRange(const fs::path& path, std::uint64_t offset, std::size_t count) {
    platform::OpenFile file = openRegularFile(path);
    return onFile(path, "cannot read the file", [&] {
        const std::uint64_t size = file.size();
        // Checked before the buffer is made, so that a range no file holds allocates nothing.
        if (offset > size || count > size - offset) {
            throw IoError(IoError::ReadBeyondEnd);
        }
        std::vector<std::uint8_t> contents(count);
        std::size_t done = 0;
        while (done < count) {
            const std::size_t got = file.readAt(std::span(contents).subspan(done), offset + done);
            if (got == 0) {
                throw IoError(IoError::ReadBeyondEnd);
            }
            done += got;
        }
        return contents;
    });
}

std::uint64_t fileSize(const fs::path& path) {
    platform::OpenFile file = openRegularFile(path);
    return onFile(path, "cannot read the file", [&] { return file.size(); });
}

void replaceFile(const fs::path& path, std::span<const std::uint8_t> contents, std::string_view noun) {
    const fs::path target = resolvedTarget(path);
    // The rename would get past a file that may not be written; refuse it as opening it would.
    if (regularFileFound(target) && !platform::mayWrite(target)) {
        throw IoError(IoError::FileAccessDenied);
    }

    const std::string newFile = "the new " + std::string(noun);
    platform::TempFile temp =
        onFile(path, "cannot create " + newFile, [&] { return platform::createTempBeside(target); });
    PendingFile pending(temp.path);
    onFile(path, "cannot write " + newFile, [&] { temp.file.write(contents); });
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
    : path_(path) {
    for (;;) {
        file_ = openRegularFile(path);
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
    }
}

std::vector<std::uint8_t> LockedFile::read() {
    return readWhole(file_, path_);
}

void LockedFile::replace(std::span<const std::uint8_t> contents, std::string_view noun) {
    replaceFile(path_, contents, noun);
}

} // namespace vantor
