#include "utf16_le.hpp"

#include <optional>

namespace vantor {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void appendUtf8(std::string& text, char32_t code) {
    const auto byte = [&text](char32_t value) { text += static_cast<char>(value); };
    if (code < 0x80) {
        byte(code);
    } else if (code < 0x800) {
        byte(0xC0 | (code >> 6));
        byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        byte(0xE0 | (code >> 12));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    } else {
        byte(0xF0 | (code >> 18));
        byte(0x80 | ((code >> 12) & 0x3F));
        byte(0x80 | ((code >> 6) & 0x3F));
        byte(0x80 | (code & 0x3F));
    }
}

void appendUtf16Le(std::vector<std::uint8_t>& bytes, char32_t code) {
    const auto unit = [&bytes](char32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    if (code < 0x10000) {
        unit(code);
        return;
    }
    code -= 0x10000;
    unit(0xD800 | (code >> 10));
    unit(0xDC00 | (code & 0x3FF));
}

struct SequenceStart {
    std::size_t length;
    char32_t bits;     // the lead byte's share of the code point
    char32_t smallest; // anything below takes fewer bytes: an overlong form
};

std::optional<SequenceStart> sequenceStart(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return SequenceStart{2, char32_t(lead & 0x1F), 0x80};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return SequenceStart{3, char32_t(lead & 0x0F), 0x800};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return SequenceStart{4, char32_t(lead & 0x07), 0x10000};
    }
    return std::nullopt;
}

struct Decoded {
    char32_t code;
    std::size_t length;
};

// The code point that starts at text[i]; an ill-formed sequence gives U+FFFD for its first byte.
Decoded decodeUtf8(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const auto start = sequenceStart(lead);
    if (!start || i + start->length > text.size()) {
        return {Replacement, 1};
    }
    char32_t code = start->bits;
    for (std::size_t k = 1; k < start->length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return {Replacement, 1};
        }
        code = (code << 6) | (next & 0x3F);
    }
    if (code < start->smallest || code > 0x10FFFF || isHighSurrogate(code) || isLowSurrogate(code)) {
        return {Replacement, 1};
    }
    return {code, start->length};
}

} // namespace

std::string utf8FromUtf16Le(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unitAt = [bytes](std::size_t k) { return char32_t(bytes[2 * k] | (bytes[2 * k + 1] << 8)); };
    for (std::size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (isHighSurrogate(unit) && k + 1 < units && isLowSurrogate(unitAt(k + 1))) {
            appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(k + 1) - 0xDC00));
            ++k;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendUtf8(text, Replacement);
        } else {
            appendUtf8(text, unit);
        }
    }
    return text;
}

std::vector<std::uint8_t> utf16LeFromUtf8(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Decoded decoded = decodeUtf8(text, i);
        appendUtf16Le(bytes, decoded.code);
        i += decoded.length;
    }
    return bytes;
}

} // namespace vantor
