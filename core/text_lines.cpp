#include "text_lines.hpp"

#include <algorithm>

namespace vantor {

namespace {

constexpr std::uint8_t CarriageReturn = 0x0D;
constexpr std::uint8_t LineFeed = 0x0A;
constexpr std::uint8_t EndOfFile = 0x1A;

} // namespace

TextLines::TextLines(std::span<const std::uint8_t> bytes)
    : bytes_(bytes) {
    // Nothing after the end-of-file byte is part of the text.
    auto end = std::find(bytes_.begin(), bytes_.end(), EndOfFile);
    bytes_ = bytes_.first(static_cast<std::size_t>(end - bytes_.begin()));
}

std::string TextLines::next() {
    ++lineNumber_;
    const std::size_t start = std::min(position_, bytes_.size());
    lineStart_ = start;
    auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(start);
    auto end = std::find(begin, bytes_.end(), CarriageReturn);
    std::string line(begin, end);
    position_ = static_cast<std::size_t>(end - bytes_.begin());
    if (end != bytes_.end()) {
        ++position_;
        if (position_ < bytes_.size() && bytes_[position_] == LineFeed) {
            ++position_;
        }
    }
    return line;
}

} // namespace vantor
