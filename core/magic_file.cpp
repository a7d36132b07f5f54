#include "magic_file.hpp"

#include "file_system.hpp"
#include "integer_text.hpp"
#include "little_endian.hpp"
#include "pad_string.hpp"
#include "platform.hpp"
#include "text_lines.hpp"
#include "texts.hpp"

#include <string_view>

namespace vantor {

// Layout of a magic data file (single-byte text, every line ending in CR LF):
//   line 1        "[kx7-2000 magic file]"
//   line 2        empty
//   lines 3..132  value k on line 2 + k: the decimal number padded with spaces to 10 characters,
//                 "; " and description k
//   line 133      empty
//   line 134      "[bumptable]"
//   line 135      empty
//   line 136..    one bump entry a line: first number "," second number
// The compiler checks line 1 alone; every other line is read by position.

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::size_t NumberWidth = 10;
constexpr int LinesBetweenValuesAndBumps = 3;

std::string_view trimControlAndSpace(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::int32_t valueOfLine(std::string_view line) {
    const std::optional<std::string_view> number = valueNumberText(line);
    return number ? scanMagicNumber(*number) : 0;
}

BumpEntry entryOfLine(std::string_view line) {
    const auto comma = line.find(',');
    const std::string_view first =
        comma == std::string_view::npos ? std::string_view{} : line.substr(0, comma);
    const std::string_view second = comma == std::string_view::npos ? line : line.substr(comma + 1);
    return {static_cast<std::uint16_t>(scanMagicNumber(first)),
            static_cast<std::uint16_t>(scanMagicNumber(second))};
}

void appendU16(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

} // namespace

std::optional<std::string_view> valueNumberText(std::string_view line) {
    const auto semicolon = line.find(';');
    if (semicolon == std::string_view::npos) {
        return std::nullopt;
    }
    return trimControlAndSpace(line.substr(0, semicolon));
}

std::string formatMagicFile(const MagicBlock& block, const Descriptions& descriptions) {
    std::string text;
    text.reserve(8192);
    auto line = [&text](std::string_view content) {
        text += content;
        text += LineEnd;
    };
    line(text::MagicFileHeader);
    line("");
    for (int k = 1; k <= MagicValueCount; ++k) {
        line(PadString(std::to_string(block.value(k)), NumberWidth, " ", PadSide::Right) + "; " +
             descriptions[static_cast<std::size_t>(k - 1)]);
    }
    line("");
    line(text::BumpTableHeader);
    line("");
    for (std::size_t j = 0; j < block.bumpEntryCount(); ++j) {
        const BumpEntry entry = block.bumpEntry(j);
        line(std::to_string(entry.first) + "," + std::to_string(entry.second));
    }
    return text;
}

void WriteMagicFile(const MagicBlock& block, const Descriptions& descriptions,
                    const std::filesystem::path& path) {
    const std::string text = formatMagicFile(block, descriptions);
    writeOutputFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

MagicCompilation compileMagicText(std::span<const std::uint8_t> source) {
    TextLines lines(source);
    if (lines.next() != text::MagicFileHeader) {
        return {MagicCompilation::Outcome::NotAMagicFile, {}, 0};
    }
    lines.next();

    MagicBlock block(std::vector<std::uint8_t>(ValueAreaSize, 0));
    for (int k = 1; k <= MagicValueCount; ++k) {
        block.setValue(k, valueOfLine(lines.next()));
    }
    for (int skipped = 0; skipped < LinesBetweenValuesAndBumps; ++skipped) {
        lines.next();
    }

    std::vector<std::uint8_t> marked = block.markedForm();
    marked.resize(marked.size() - 2); // the end mark goes behind the entries
    int endMarkLine = 0;
    while (!lines.atEnd()) {
        const std::string line = lines.next();
        if (line.empty()) {
            continue;
        }
        const BumpEntry entry = entryOfLine(line);
        if ((entry.first == EndMark || entry.second == EndMark) && endMarkLine == 0) {
            endMarkLine = lines.lineNumber();
        }
        appendU16(marked, entry.first);
        appendU16(marked, entry.second);
    }
    appendU16(marked, EndMark);

    if (endMarkLine != 0) {
        return {MagicCompilation::Outcome::EndMarkInBumpTable, {}, endMarkLine};
    }
    return {MagicCompilation::Outcome::Compiled, std::move(marked), 0};
}

MagicBlock bareBlockOf(std::span<const std::uint8_t> markedBlock) {
    const auto bare = markedBlock.subspan(MagicMarker.size());
    return MagicBlock(std::vector<std::uint8_t>(bare.begin(), bare.end()));
}

Descriptions readDescriptions(std::span<const std::uint8_t> source) {
    TextLines lines(source);
    lines.next();
    lines.next();
    Descriptions descriptions;
    for (std::string& description : descriptions) {
        const std::string line = lines.next();
        const auto semicolon = line.find(';');
        if (semicolon == std::string::npos) {
            continue;
        }
        std::string_view text = std::string_view(line).substr(semicolon + 1);
        if (text.starts_with(' ')) {
            text.remove_prefix(1);
        }
        description = text.substr(0, MaximumDescriptionLength);
    }
    return descriptions;
}

std::optional<std::vector<std::uint8_t>> CompileMagicFile(const std::filesystem::path& source,
                                                          Messages& messages) {
    MagicCompilation compiled = compileMagicText(readFile(source));
    switch (compiled.outcome) {
    case MagicCompilation::Outcome::NotAMagicFile:
        messages.show(MessageKind::Error, text::NotAMagicFile);
        return std::nullopt;
    case MagicCompilation::Outcome::EndMarkInBumpTable:
        messages.show(MessageKind::Error,
                      text::bumpValueEndsTable(platform::utf8FromPath(source), compiled.endMarkLine));
        return std::nullopt;
    case MagicCompilation::Outcome::Compiled:
        break;
    }
    return std::move(compiled.markedBlock);
}

} // namespace vantor
