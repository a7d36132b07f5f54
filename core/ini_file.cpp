#include "ini_file.hpp"

#include "ascii_case.hpp"
#include "file_system.hpp"
#include "io_error.hpp"

#include <optional>
#include <vector>

namespace vantor {

// Layout: lines ending in LF or CR LF. "[name]" opens a section; "key=value" belongs to the
// section above it; a line starting with ';' or '#' is a comment. Blanks around names and values
// are not part of them, and a value enclosed in matching quotes loses the quotes.

namespace {

struct Line {
    std::size_t begin; // offset of the first character
    std::size_t end;   // offset of the line end (or the end of the text)
    std::size_t next;  // offset behind the line end
};

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > begin && text[end - 1] == '\r') {
            --end;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
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

struct Location {
    bool sectionFound = false;
    std::optional<Line> keyLine; // the line holding the key
    std::size_t sectionEnd = 0;  // offset behind the line end of the section's last non-blank line
};

Location locate(const std::string& text, std::string_view section, std::string_view key) {
    Location location;
    bool inSection = false;
    for (const Line& line : splitLines(text)) {
        const std::string_view content(text.data() + line.begin, line.end - line.begin);
        if (const auto name = sectionName(content)) {
            if (inSection) {
                break;
            }
            inSection = equalsIgnoringCase(*name, section);
            if (inSection && !location.sectionFound) {
                location.sectionFound = true;
                location.sectionEnd = line.next;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!trim(content).empty()) {
            location.sectionEnd = line.next;
        }
        const auto pair = keyLine(content);
        if (pair && equalsIgnoringCase(pair->key, key)) {
            location.keyLine = line;
            return location;
        }
    }
    return location;
}

std::string_view lineEndOf(const std::string& text) {
    const auto lf = text.find('\n');
    return lf != std::string::npos && (lf == 0 || text[lf - 1] != '\r') ? "\n" : "\r\n";
}

// Gives the last line a line end, so that a line can follow it. A CR already there is completed
// to CR LF; another line end in front of it would turn it into part of the line.
void endLastLine(std::string& text, std::string_view lineEnd) {
    if (!text.empty() && text.back() != '\n') {
        text += text.back() == '\r' ? std::string_view("\n") : lineEnd;
    }
}

} // namespace

IniFile IniFile::load(const std::filesystem::path& path) {
    try {
        const auto bytes = readFile(path);
        return IniFile(std::string(bytes.begin(), bytes.end()));
    } catch (const IoError&) {
        return IniFile();
    }
}

std::string IniFile::read(std::string_view section, std::string_view key, std::string_view fallback) const {
    const Location location = locate(text_, section, key);
    if (!location.keyLine) {
        return std::string(fallback);
    }
    const std::string_view line(text_.data() + location.keyLine->begin,
                                location.keyLine->end - location.keyLine->begin);
    std::string_view value = keyLine(line)->value;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, MaximumIniValueLength));
}

void IniFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const Location location = locate(text_, section, key);
    if (location.keyLine) {
        text_.replace(location.keyLine->begin, location.keyLine->end - location.keyLine->begin, newLine);
        return;
    }
    // The new line goes behind the line end of the line in front of it, which so stays as it was.
    const std::string lineEnd(lineEndOf(text_));
    if (location.sectionFound && location.sectionEnd < text_.size()) {
        text_.insert(location.sectionEnd, newLine + lineEnd);
        return;
    }
    endLastLine(text_, lineEnd);
    if (!location.sectionFound) {
        text_ += "[" + std::string(section) + "]" + lineEnd;
    }
    text_ += newLine + lineEnd;
}

} // namespace vantor
