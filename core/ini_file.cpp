#include "ini_file.hpp"

#include "ascii_case.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "utf16_le.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace vantor {

// Layout: an optional byte order mark (EF BB BF for UTF-8, FF FE for UTF-16 LE, whose text is
// converted), then lines ending in CR LF, CR or LF. "[name]" opens a section; "key=value" belongs to
// the section above it; a line starting with ';' or '#' is a comment. Blanks around names and values
// are not part of them, and a value enclosed in matching quotes loses the quotes.

namespace {

struct Line {
    std::size_t begin; // offset of the first character
    std::size_t end;   // offset of the line end (or the end of the text)
    std::size_t next;  // offset behind the line end
};

// The line that starts at begin, if the text goes on there. A line ends at CR, at LF, or at CR LF.
// Lines are taken one at a time, so that a look-up stops reading at the key it wants.
std::optional<Line> lineAt(const std::string& text, std::size_t begin) {
    if (begin >= text.size()) {
        return std::nullopt;
    }
    const auto stop = std::find_if(text.begin() + static_cast<std::ptrdiff_t>(begin), text.end(),
                                   [](char c) { return c == '\r' || c == '\n'; });
    const auto end = static_cast<std::size_t>(stop - text.begin());
    std::size_t next = end;
    if (next < text.size()) {
        next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    }
    return Line{begin, end, next};
}

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return trim(line.substr(1, close - 1));
}

bool isComment(std::string_view line) {
    line = trim(line);
    return line.starts_with(';') || line.starts_with('#');
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    if (isComment(line)) {
        return std::nullopt;
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{trim(line.substr(0, equals)), trim(line.substr(equals + 1))};
}

// A stored value as the program sees it: without enclosing quotes, cut to the longest length read.
std::string valueOf(std::string_view stored) {
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
        stored.back() == stored.front()) {
        stored = stored.substr(1, stored.size() - 2);
    }
    return std::string(stored.substr(0, MaximumIniValueLength));
}

struct Location {
    bool sectionFound = false;
    std::optional<Line> keyLine; // the line holding the key
    std::size_t sectionEnd = 0;  // offset behind the line end of the section's last non-blank line
};

Location locate(const std::string& text, std::string_view section, std::string_view key) {
    Location location;
    bool inSection = false;
    for (auto line = lineAt(text, 0); line; line = lineAt(text, line->next)) {
        const std::string_view content(text.data() + line->begin, line->end - line->begin);
        if (const auto name = sectionName(content)) {
            if (inSection) {
                break;
            }
            inSection = equalsIgnoringCase(*name, section);
            if (inSection && !location.sectionFound) {
                location.sectionFound = true;
                location.sectionEnd = line->next;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trim(content).empty()) {
            location.sectionEnd = line->next;
        }
        const auto pair = keyLine(content);
        if (pair && equalsIgnoringCase(pair->key, key)) {
            location.keyLine = *line;
            return location;
        }
    }
    return location;
}

// The line end of the file's first line; CR LF for a file of one line or none.
std::string_view lineEndOf(const std::string& text) {
    const auto end = text.find_first_of("\r\n");
    if (end == std::string::npos || text.compare(end, 2, "\r\n") == 0) {
        return "\r\n";
    }
    return text[end] == '\r' ? "\r" : "\n";
}

// The line end that stops in front of offset.
std::string_view lineEndBefore(const std::string& text, std::size_t offset) {
    if (text[offset - 1] == '\r') {
        return "\r";
    }
    return offset >= 2 && text[offset - 2] == '\r' ? "\r\n" : "\n";
}

bool endsWithLineEnd(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

constexpr std::array<std::uint8_t, 3> Utf8Bom{0xEF, 0xBB, 0xBF};
constexpr std::array<std::uint8_t, 2> Utf16LeBom{0xFF, 0xFE};

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& mark) {
    return bytes.size() >= N && std::equal(mark.begin(), mark.end(), bytes.begin());
}

} // namespace

IniFile IniFile::fromBytes(std::span<const std::uint8_t> bytes) {
    if (startsWith(bytes, Utf16LeBom)) {
        return IniFile(utf8FromUtf16Le(bytes.subspan(Utf16LeBom.size())), Encoding::Utf16LeWithBom);
    }
    if (startsWith(bytes, Utf8Bom)) {
        const auto text = bytes.subspan(Utf8Bom.size());
        return IniFile(std::string(text.begin(), text.end()), Encoding::Utf8WithBom);
    }
    return IniFile(std::string(bytes.begin(), bytes.end()));
}

std::vector<std::uint8_t> IniFile::toBytes() const {
    std::span<const std::uint8_t> mark;
    std::vector<std::uint8_t> text;
    if (encoding_ == Encoding::Utf16LeWithBom) {
        mark = Utf16LeBom;
        text = utf16LeFromUtf8(text_);
    } else {
        if (encoding_ == Encoding::Utf8WithBom) {
            mark = Utf8Bom;
        }
        text.assign(text_.begin(), text_.end());
    }
    std::vector<std::uint8_t> bytes(mark.begin(), mark.end());
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

IniFile IniFile::load(const std::filesystem::path& path) {
    try {
        return fromBytes(readFile(path));
    } catch (const IoError&) {
        return IniFile();
    }
}

std::string IniFile::read(std::string_view section, std::string_view key, std::string_view fallback) const {
    return find(section, key).value_or(std::string(fallback));
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
    const Location location = locate(text_, section, key);
    if (!location.keyLine) {
        return std::nullopt;
    }
    const std::string_view line(text_.data() + location.keyLine->begin,
                                location.keyLine->end - location.keyLine->begin);
    return valueOf(keyLine(line)->value);
}

std::map<std::string, std::string> IniFile::section(std::string_view name) const {
    std::map<std::string, std::string> values;
    bool inSection = false;
    for (auto line = lineAt(text_, 0); line; line = lineAt(text_, line->next)) {
        const std::string_view content(text_.data() + line->begin, line->end - line->begin);
        if (const auto found = sectionName(content)) {
            if (inSection) {
                break;
            }
            inSection = equalsIgnoringCase(*found, name);
        } else if (const auto pair = inSection ? keyLine(content) : std::nullopt) {
            values.try_emplace(lowerCase(pair->key), valueOf(pair->value));
        }
    }
    return values;
}

void IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const Location location = locate(text_, section, key);
    if (location.keyLine) {
        text_.replace(location.keyLine->begin, location.keyLine->end - location.keyLine->begin, newLine);
        return;
    }
    // The new line goes behind the line end of the line in front of it, which so stays as it was.
    std::string lineEnd(lineEndOf(text_));
    if (location.sectionFound && location.sectionEnd < text_.size()) {
        // A bare CR in front of an LF would join it into one line end and so swallow the next line.
        if (lineEnd == "\r" && text_[location.sectionEnd] == '\n') {
            lineEnd = lineEndBefore(text_, location.sectionEnd);
        }
        text_.insert(location.sectionEnd, newLine + lineEnd);
        return;
    }
    if (!text_.empty() && !endsWithLineEnd(text_)) {
        text_ += lineEnd;
    }
    if (!location.sectionFound) {
        text_ += "[" + std::string(section) + "]" + lineEnd;
    }
    text_ += newLine + lineEnd;
}

} // namespace vantor
