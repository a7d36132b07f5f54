#include "io_error.hpp"

#include "platform.hpp"

#include <utility>

namespace vantor {

namespace {

constexpr int FirstUnnamedCode = 1000;

// The code of the same meaning as the system's condition.
int codeOfCondition(std::errc condition) {
    switch (condition) {
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory:
        return IoError::FileNotFound;
    case std::errc::filename_too_long:
    case std::errc::invalid_argument:
    case std::errc::illegal_byte_sequence:
        return IoError::InvalidFilename;
    case std::errc::too_many_files_open:
    case std::errc::too_many_files_open_in_system:
        return IoError::TooManyOpenFiles;
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted:
    case std::errc::read_only_file_system:
    case std::errc::is_a_directory:
    case std::errc::text_file_busy:
    case std::errc::device_or_resource_busy:
        return IoError::FileAccessDenied;
    case std::errc::no_space_on_device:
    case std::errc::file_too_large:
        return IoError::DiskFull;
    default:
        // Other numbers keep their own value, moved clear of the codes above so that an
        // unrelated failure never reads as one of them.
        return FirstUnnamedCode + static_cast<int>(condition);
    }
}

} // namespace

IoError::IoError(int code)
    : IoError(code, textOf(code), textOf(code)) {}

IoError::IoError(int code, std::string reason, std::string message)
    : std::runtime_error(message)
    , code_(code)
    , reason_(std::move(reason)) {}

IoError IoError::fromSystem(std::errc condition, const std::string& systemText,
                            const std::filesystem::path& file, std::string_view step) {
    const int code = codeOfCondition(condition);
    if (code < FirstUnnamedCode) {
        return IoError(code);
    }
    std::string reason = std::string(step) + ": " + systemText;
    std::string message = platform::utf8FromPath(file) + ": " + reason;
    return IoError(code, std::move(reason), std::move(message));
}

IoError IoError::notARegularFile(const std::filesystem::path& file) {
    const std::string reason = textOf(NotARegularFile);
    return IoError(NotARegularFile, reason, platform::utf8FromPath(file) + ": " + reason);
}

std::string IoError::textOf(int code) {
    switch (code) {
    case FileNotFound:
        return "File not found";
    case InvalidFilename:
        return "Invalid filename";
    case TooManyOpenFiles:
        return "Too many open files";
    case FileAccessDenied:
        return "File access denied";
    case ReadBeyondEnd:
        return "Read beyond end of file";
    case DiskFull:
        return "Disk full";
    case InvalidNumericInput:
        return "Invalid numeric input";
    case NotARegularFile:
        return "not a regular file but a device, a FIFO or the like, which is neither read nor replaced";
    default:
        return "I/O error " + std::to_string(code);
    }
}

} // namespace vantor
