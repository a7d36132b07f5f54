#include "io_error.hpp"

#include <cerrno>

namespace vantor {

IoError::IoError(int code)
    : std::runtime_error(textOf(code))
    , code_(code) {}

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
    default:
        return "I/O error " + std::to_string(code);
    }
}

IoError IoError::fromErrno(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return IoError(FileNotFound);
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return IoError(InvalidFilename);
    case EMFILE:
    case ENFILE:
        return IoError(TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return IoError(FileAccessDenied);
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return IoError(DiskFull);
    default:
        // Other numbers keep their own value, moved clear of the codes above so that an
        // unrelated failure never reads as one of them.
        return IoError(1000 + errorNumber);
    }
}

} // namespace vantor
