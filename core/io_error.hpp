#pragma once

#include <stdexcept>
#include <string>

namespace vantor {

// A failed file operation, carrying the system's error code and its text. Everything that reads
// or writes a user's file raises this one type, so every caller reports failures the same way.
class IoError : public std::runtime_error {
public:
    enum Code : int {
        FileNotFound = 2,
        InvalidFilename = 3,
        TooManyOpenFiles = 4,
        FileAccessDenied = 5,
        ReadBeyondEnd = 100,
        DiskFull = 101,
        InvalidNumericInput = 106,
    };

    explicit IoError(int code);

    // Maps an operating-system error number to the code of the same meaning.
    static IoError fromErrno(int errorNumber);

    int code() const noexcept { return code_; }

    static std::string textOf(int code);

private:
    int code_;
};

} // namespace vantor
