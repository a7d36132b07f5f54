#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vantor {

// Reads a text file's bytes line by line as the game's tools do: a line ends at CR, an LF right
// after that CR belongs to the line end, a lone LF is part of the line, and the byte 1A ends the
// file. Reading past the end yields empty lines.
class TextLines {
public:
    explicit TextLines(std::span<const std::uint8_t> bytes);

    std::string next();
    bool atEnd() const { return position_ >= bytes_.size(); }
    // The number of the line the last next() returned, counting from 1.
    int lineNumber() const { return lineNumber_; }
    // Where the line the last next() returned starts in the bytes.
    std::size_t lineStart() const { return lineStart_; }
    // The bytes in front of the end-of-file byte 1A, which alone are text.
    std::size_t textSize() const { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    int lineNumber_ = 0;
    std::size_t lineStart_ = 0;
};

} // namespace vantor
