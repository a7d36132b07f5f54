#include "json_writer.hpp"

#include <cstdio>
#include <string>

namespace vantor::cli {

namespace {

// The length of the UTF-8 sequence at the start of text, or 0 when there is none.
std::size_t utf8SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text.substr(i));
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

void appendLatin1(std::string& out, unsigned char c) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::string jsonString(std::string_view text) {
    const bool utf8 = isUtf8(text);
    std::string out = "\"";
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", c);
                out += escaped;
            } else if (c >= 0x80 && !utf8) {
                appendLatin1(out, c);
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!filled_.empty()) {
        if (filled_.back()) {
            out_ << ',';
        }
        filled_.back() = true;
    }
}

void JsonWriter::beginObject() {
    separate();
    out_ << '{';
    filled_.push_back(false);
}

void JsonWriter::endObject() {
    filled_.pop_back();
    out_ << '}';
}

void JsonWriter::beginArray() {
    separate();
    out_ << '[';
    filled_.push_back(false);
}

void JsonWriter::endArray() {
    filled_.pop_back();
    out_ << ']';
}

void JsonWriter::key(std::string_view name) {
    separate();
    out_ << jsonString(name) << ':';
    afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
    separate();
    out_ << jsonString(text);
}

void JsonWriter::value(std::int64_t number) {
    separate();
    out_ << number;
}

void JsonWriter::value(std::uint64_t number) {
    separate();
    out_ << number;
}

void JsonWriter::null() {
    separate();
    out_ << "null";
}

void JsonWriter::finish() {
    out_ << '\n';
}

} // namespace vantor::cli
