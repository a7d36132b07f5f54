// Feeds arbitrary bytes to the settings file accessor. An input "section\0key\0value\0text" writes
// the key into the text; any other input is only read. A written key must read back, other keys
// must read as before, and every old line must stay byte for byte as it was: replaced when it held
// the key, otherwise kept in order, with the new lines between them (the last line may gain the
// line end it lacked).
#include "ascii_case.hpp"
#include "ini_file.hpp"
#include "require.hpp"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace vantor;
using fuzz::require;

// Values never hold a line end, so this tells an absent key from an empty value.
constexpr std::string_view Absent = "\n";

bool endsWithLineEnd(std::string_view line) {
    return line.ends_with('\n') || line.ends_with('\r');
}

// Lines with their line ends, as the file holds them: a line ends at CR LF, CR or LF.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        if (end < text.size()) {
            end += text.substr(end).starts_with("\r\n") ? 2 : 1;
        }
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

std::string_view withoutLineEnd(std::string_view line) {
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{}
                                           : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Names and values the line format can hold as they are: one line, no blanks around them, a key
// that is neither a comment nor a section, a value not enclosed in quotes.
bool storable(std::string_view section, std::string_view key, std::string_view value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return section.find_first_of("]\r\n") == std::string_view::npos && trimmed(section) == section &&
           key.find_first_of("=\r\n") == std::string_view::npos && trimmed(key) == key &&
           !key.starts_with(';') && !key.starts_with('#') && !key.starts_with('[') &&
           value.find_first_of("\r\n") == std::string_view::npos && trimmed(value) == value && !quoted &&
           value.size() <= MaximumIniValueLength;
}

// The section and key names of the text's first key lines. Each read scans the whole text, so a
// few of them keep an input's checks fast.
std::vector<std::pair<std::string_view, std::string_view>> keysOf(std::string_view text) {
    constexpr std::size_t KeysChecked = 16;
    std::vector<std::pair<std::string_view, std::string_view>> keys;
    std::string_view section;
    for (const std::string_view line : linesOf(text)) {
        if (keys.size() == KeysChecked) {
            break;
        }
        const std::string_view content = trimmed(withoutLineEnd(line));
        if (content.starts_with('[') && content.find(']') != std::string_view::npos) {
            section = trimmed(content.substr(1, content.find(']') - 1));
        } else if (content.find('=') != std::string_view::npos) {
            keys.emplace_back(section, trimmed(content.substr(0, content.find('='))));
        }
    }
    return keys;
}

// The old line kept as it was, or, as the last line without a line end, completed with one.
bool keeps(std::string_view oldLine, std::string_view newLine, bool last) {
    return newLine == oldLine ||
           (last && !endsWithLineEnd(oldLine) && newLine.starts_with(oldLine) && endsWithLineEnd(newLine) &&
            withoutLineEnd(newLine) == withoutLineEnd(oldLine));
}

void checkLines(std::string_view before, std::string_view after, std::string_view section,
                std::string_view written, bool replaced) {
    const std::vector<std::string_view> oldLines = linesOf(before);
    const std::vector<std::string_view> newLines = linesOf(after);
    std::vector<std::string_view> added;
    std::size_t o = 0;
    for (const std::string_view line : newLines) {
        if (o < oldLines.size() && keeps(oldLines[o], line, o + 1 == oldLines.size())) {
            ++o;
        } else {
            added.push_back(withoutLineEnd(line));
            if (replaced) {
                ++o;
            }
        }
    }
    require(o == oldLines.size());
    if (replaced) {
        require(newLines.size() == oldLines.size() && added.size() <= 1);
        require(added.empty() || added[0] == written);
        return;
    }
    const std::string header = "[" + std::string(section) + "]";
    require(
        (added.size() == 1 && added[0] == written) ||
        (added.size() == 2 && added[0] == header && added[1] == written && endsWithLineEnd(newLines.back())));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    std::string_view rest(input);
    for (int i = 0; i < 3 && rest.find('\0') != std::string_view::npos; ++i) {
        parts.push_back(rest.substr(0, rest.find('\0')));
        rest.remove_prefix(parts.back().size() + 1);
    }
    const IniFile before{std::string(rest)};
    for (const auto& [section, key] : keysOf(before.text())) {
        require(before.read(section, key, Absent).size() <= MaximumIniValueLength);
    }
    if (parts.size() < 3 || !storable(parts[0], parts[1], parts[2])) {
        return 0;
    }
    const std::string_view section = parts[0], key = parts[1], value = parts[2];

    IniFile after = before;
    after.write(section, key, value);
    require(after.read(section, key, Absent) == value);
    for (const auto& [otherSection, otherKey] : keysOf(before.text())) {
        if (!equalsIgnoringCase(otherSection, section) || !equalsIgnoringCase(otherKey, key)) {
            require(after.read(otherSection, otherKey, Absent) ==
                    before.read(otherSection, otherKey, Absent));
        }
    }
    checkLines(before.text(), after.text(), section, std::string(key) + '=' + std::string(value),
               before.read(section, key, Absent) != Absent);
    return 0;
}
