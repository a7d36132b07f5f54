#include "magic_file_check.hpp"

#include "integer_text.hpp"
#include "magic_block.hpp"
#include "magic_file.hpp"
#include "text_lines.hpp"
#include "texts.hpp"
#include "value_change.hpp"
#include "value_encoding.hpp"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

// The compiler reads line 1 (the header), skips line 2, reads value k from line 2 + k, skips
// lines 133 to 135 and reads every non-empty line from 136 on as a bump entry; see magic_file.cpp.

namespace vantor {

namespace {

constexpr int BumpHeaderLine = ValueLineOffset + MagicValueCount + 2;
constexpr std::uint8_t EndOfFileByte = 0x1A;
constexpr std::size_t QuotedLength = 40;

// A text from the file, quoted, with control characters written as \xNN so that a finding stays
// on one line.
std::string inQuotes(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text.substr(0, QuotedLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + (text.size() > QuotedLength ? "...\"" : "\"");
}

std::string plural(std::size_t count, std::string_view word) {
    return std::to_string(count) + " " + std::string(word) + (count == 1 ? "" : "s");
}

// The reading of a number stopped before the end of its text: "12abc" is 12, "-5x" is 5.
std::string partReading(std::string_view text, const MagicNumberReading& reading) {
    std::string message = inQuotes(text) + " is read as " + std::to_string(reading.value) +
                          ": the compiler stops reading at " + inQuotes(text.substr(reading.end));
    const auto sign = text.find_first_not_of(' ');
    if (reading.digitCount > 0 && text[sign] == '-') {
        message += " and drops the minus sign";
    }
    return message;
}

bool readsWhole(std::string_view text, const MagicNumberReading& reading) {
    return reading.digitCount > 0 && reading.end == text.size();
}

void checkLineEnd(FindingList& findings, int lineNumber, std::string_view line) {
    if (line.find('\n') != std::string_view::npos) {
        findings.atLine(lineNumber, Severity::Error,
                        "a line feed without a carriage return does not end a line: the compiler reads "
                        "two lines here as one, which shifts every later line by one");
    }
}

void checkValueLine(FindingList& findings, int k, int lineNumber, std::string_view line) {
    checkLineEnd(findings, lineNumber, line);
    const std::string value = "value " + std::to_string(k);
    const std::optional<std::string_view> text = valueNumberText(line);
    if (!text) {
        findings.atLine(lineNumber, Severity::Error, value + " has no \";\" and is read as 0");
        return;
    }
    if (text->empty()) {
        findings.atLine(lineNumber, Severity::Error, value + " has no number before \";\" and is read as 0");
        return;
    }
    const MagicNumberReading reading = readMagicNumber(*text);
    if (!readsWhole(*text, reading)) {
        findings.atLine(lineNumber, Severity::Error, value + " " + partReading(*text, reading));
        return;
    }
    if (reading.beyond32Bits) {
        findings.atLine(lineNumber, Severity::Error,
                        value + " " + inQuotes(*text) +
                            " is beyond the 32-bit range -2147483648 to 2147483647 and is read as " +
                            std::to_string(reading.value));
        return;
    }
    const ValueEncoding encoding = valueSlot(k).encoding;
    if (!rangeOf(encoding).contains(reading.value)) {
        findings.atLine(lineNumber, Severity::Warning,
                        outOfRangeText(k, reading.value) + ", and would be stored as " +
                            std::to_string(storedValue(encoding, reading.value)));
    }
}

// One side of a bump line; the compiler doesn't trim it, but trailing spaces end the number
// harmlessly.
std::optional<std::string> bumpNumberProblem(std::string_view text, std::int32_t& value) {
    const MagicNumberReading reading = readMagicNumber(text);
    value = reading.value;
    const std::size_t end = text.find_last_not_of(' ');
    const std::string_view number =
        end == std::string_view::npos ? text.substr(0, 0) : text.substr(0, end + 1);
    if (reading.digitCount == 0) {
        return inQuotes(text) + " holds no number and is read as 0";
    }
    if (reading.end < number.size()) {
        return partReading(number, reading);
    }
    if (reading.beyond32Bits) {
        return inQuotes(number) + " is beyond the 32-bit range and is read as " +
               std::to_string(reading.value);
    }
    return std::nullopt;
}

void checkBumpLine(FindingList& findings, int lineNumber, std::string_view line) {
    checkLineEnd(findings, lineNumber, line);
    const auto comma = line.find(',');
    if (comma == std::string_view::npos) {
        findings.atLine(lineNumber, Severity::Error,
                        "bump line " + inQuotes(line) + " has no \",\" and is read as 0," +
                            std::to_string(static_cast<std::uint16_t>(scanMagicNumber(line))));
        return;
    }
    const std::string_view sides[] = {line.substr(0, comma), line.substr(comma + 1)};
    for (const std::string_view side : sides) {
        std::int32_t value = 0;
        if (const auto problem = bumpNumberProblem(side, value)) {
            findings.atLine(lineNumber, Severity::Error,
                            "bump line " + inQuotes(line) + " is malformed: " + *problem);
            return;
        }
        const auto stored = static_cast<std::uint16_t>(value);
        if (stored == EndMark) {
            findings.atLine(
                lineNumber, Severity::Error,
                "bump value " + std::to_string(value) +
                    " is stored as 65535, the end mark of the bump table: insertion refuses the file");
            return;
        }
        if (value < 0 || value > 65535) {
            findings.atLine(lineNumber, Severity::Warning,
                            "bump value " + std::to_string(value) +
                                " is outside 0 to 65535 and would be stored as " + std::to_string(stored));
            return;
        }
    }
}

// The lines the writer puts between the values and the bump table; a value line added or removed
// moves "[bumptable]" and everything with it.
void checkBumpTableHeader(FindingList& findings, std::span<const std::uint8_t> source,
                          const std::string (&lines)[3]) {
    if (lines[0].empty() && lines[1] == text::BumpTableHeader && lines[2].empty()) {
        return;
    }
    TextLines all(source);
    int found = 0;
    while (!all.atEnd()) {
        if (all.next() == text::BumpTableHeader && all.lineNumber() > 1) {
            found = all.lineNumber();
            break;
        }
    }
    const std::string misplaced = "\"[bumptable]\" should be on line " + std::to_string(BumpHeaderLine) +
                                  ", behind 130 value lines, but is on line " + std::to_string(found) + ": ";
    if (found > BumpHeaderLine) {
        const auto extra = static_cast<std::size_t>(found - BumpHeaderLine);
        const bool one = extra == 1;
        findings.atLine(found, Severity::Error,
                        misplaced + plural(extra, "line") + " too many among the value lines " +
                            (one ? "shifts every value after it" : "shift every value after them") +
                            " down by " + plural(extra, "line") + ", and the last " +
                            (one ? "value line is" : plural(extra, "value line") + " are") + " never read");
        return;
    }
    if (found > 0 && found < BumpHeaderLine) {
        const auto missing = static_cast<std::size_t>(BumpHeaderLine - found);
        const bool one = missing == 1;
        const std::string lastValues = one ? "value 130 is read from a line that is no value line"
                                           : "values " + std::to_string(MagicValueCount + 1 - missing) +
                                                 " to 130 are read from lines that are no value lines";
        findings.atLine(found, Severity::Error,
                        misplaced + plural(missing, "value line") + (one ? " is" : " are") +
                            " missing, which shifts every later value up by " + plural(missing, "line") +
                            "; " + lastValues + ", and the first " +
                            (one ? "bump line is" : plural(missing, "bump line") + " are") + " skipped");
        return;
    }
    for (int i = 0; i < 3; ++i) {
        const int lineNumber = BumpHeaderLine - 1 + i;
        const std::string_view wanted = i == 1 ? text::BumpTableHeader : std::string_view{};
        if (lines[i] != wanted) {
            findings.atLine(lineNumber, Severity::Error,
                            "line " + std::to_string(lineNumber) + " should be " +
                                (wanted.empty() ? std::string("empty") : inQuotes(wanted)) +
                                "; the compiler skips it unread, and a value line added or removed above it "
                                "shifts every later value by one line");
        }
    }
}

void checkEndOfFileByte(FindingList& findings, std::span<const std::uint8_t> source) {
    const auto eof = std::find(source.begin(), source.end(), EndOfFileByte);
    if (eof == source.end() || eof + 1 == source.end()) {
        return;
    }
    const auto offset = static_cast<std::size_t>(eof - source.begin());
    const int lineNumber = 1 + static_cast<int>(std::count(source.begin(), eof, std::uint8_t{'\r'}));
    findings.atLine(lineNumber, Severity::Error,
                    "the byte 1A at offset " + std::to_string(offset) +
                        " ends the text: the compiler ignores the " +
                        plural(source.size() - offset - 1, "byte") + " behind it");
}

} // namespace

std::vector<Finding> checkMagicText(std::span<const std::uint8_t> source, const std::string& file) {
    FindingList findings(file);
    checkEndOfFileByte(findings, source);
    TextLines lines(source);
    const std::string header = lines.next();
    if (header != text::MagicFileHeader) {
        std::string message = "the first line is not " + inQuotes(text::MagicFileHeader) +
                              ": insertion refuses the file (\"" + std::string(text::NotAMagicFile) + "\")";
        const bool lineFeedsOnly =
            std::find(source.begin(), source.end(), std::uint8_t{'\r'}) == source.end() &&
            std::find(source.begin(), source.end(), std::uint8_t{'\n'}) != source.end();
        if (lineFeedsOnly) {
            message += "; the file's lines end in LF alone, and the compiler ends a line only at CR "
                       "(save it with CR LF line ends)";
        }
        findings.atLine(1, Severity::Error, message);
        return findings.take();
    }
    const std::string second = lines.next();
    checkLineEnd(findings, 2, second);
    if (!second.empty()) {
        findings.atLine(2, Severity::Warning,
                        "line 2 should be empty; the compiler skips it unread, so " + inQuotes(second) +
                            " is lost");
    }
    for (int k = 1; k <= MagicValueCount; ++k) {
        if (lines.atEnd()) {
            findings.atLine(lines.lineNumber() + 1, Severity::Error,
                            "the file ends before the line of value " + std::to_string(k) + ": values " +
                                std::to_string(k) + " to 130 are read as 0 and the bump table is empty");
            return findings.take();
        }
        const std::string line = lines.next();
        checkValueLine(findings, k, lines.lineNumber(), line);
    }
    std::string between[3];
    for (std::string& line : between) {
        line = lines.next();
    }
    checkBumpTableHeader(findings, source, between);
    while (!lines.atEnd()) {
        const std::string line = lines.next();
        if (!line.empty()) {
            checkBumpLine(findings, lines.lineNumber(), line);
        }
    }
    return findings.take();
}

} // namespace vantor
