#include "integer_text.hpp"

namespace vantor {

namespace {

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view skipSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// The length of a hexadecimal prefix at the start of text, or 0.
std::size_t hexPrefixLength(std::string_view text) {
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        return 1;
    }
    if (text.starts_with("0x") || text.starts_with("0X")) {
        return 2;
    }
    return 0;
}

} // namespace

std::optional<std::int32_t> parseInteger(std::string_view text) {
    text = skipSpaces(text);
    if (const std::size_t prefix = hexPrefixLength(text); prefix > 0) {
        text.remove_prefix(prefix);
        if (text.empty()) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (char c : text) {
            const auto digit = hexDigit(c);
            if (!digit) {
                return std::nullopt;
            }
            value = value * 16 + *digit;
            if (value > 0xFFFFFFFFu) {
                return std::nullopt;
            }
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    }

    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t value = 0;
    for (char c : text) {
        if (!isDecimalDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value));
}

MagicNumberReading readMagicNumber(std::string_view text) {
    MagicNumberReading reading;
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        reading.end = text.size();
        return reading;
    }
    std::size_t at = start;
    if (const std::size_t prefix = hexPrefixLength(text.substr(at)); prefix > 0) {
        at += prefix;
        std::uint32_t value = 0;
        for (; at < text.size() && reading.digitCount < 8; ++at, ++reading.digitCount) {
            const auto digit = hexDigit(text[at]);
            if (!digit) {
                break;
            }
            value = value * 16 + *digit;
        }
        reading.value = static_cast<std::int32_t>(value);
        reading.end = at;
        return reading;
    }

    const bool negative = text[at] == '-';
    if (negative || text[at] == '+') {
        ++at;
        if (hexPrefixLength(text.substr(at)) != 0) {
            // A sign before a hexadecimal form stops the reading at once.
            reading.end = at;
            return reading;
        }
    }
    std::uint32_t value = 0;
    std::uint64_t magnitude = 0;
    for (; at < text.size() && isDecimalDigit(text[at]); ++at, ++reading.digitCount) {
        const auto digit = static_cast<std::uint32_t>(text[at] - '0');
        value = value * 10 + digit;
        if (magnitude <= 0xFFFFFFFFu) {
            magnitude = magnitude * 10 + digit;
        }
    }
    reading.end = at;
    if (at < text.size()) {
        // Stopped early: the digits so far count, the sign does not.
        reading.value = static_cast<std::int32_t>(value);
        reading.beyond32Bits = magnitude > 2147483647u;
        return reading;
    }
    reading.value = static_cast<std::int32_t>(negative ? 0u - value : value);
    reading.beyond32Bits = magnitude > (negative ? 2147483648u : 2147483647u);
    return reading;
}

std::int32_t scanMagicNumber(std::string_view text) {
    return readMagicNumber(text).value;
}

} // namespace vantor
