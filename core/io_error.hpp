#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

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
        // Ours: a device, a FIFO or the like where only a regular file will do.
        NotARegularFile = 200,
    };

    explicit IoError(int code);

    // The failure of one step on a file, from the operating system's condition and its own words
    // for it. A condition that one of the codes above names keeps that code's text; any other
    // reads "file: step: the system's text".
    static IoError fromSystem(std::errc condition, const std::string& systemText,
                              const std::filesystem::path& file, std::string_view step);

    // A device, a FIFO or the like where only a regular file will do.
    static IoError notARegularFile(const std::filesystem::path& file);

    int code() const noexcept { return code_; }

    // What went wrong, without the file's name: the code's text, or the step and the system's text.
    const std::string& reason() const noexcept { return reason_; }

    static std::string textOf(int code);

private:
    IoError(int code, std::string reason, std::string message);

    int code_;
    std::string reason_;
};

} // namespace vantor
