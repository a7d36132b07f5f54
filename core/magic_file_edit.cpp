#include "magic_file_edit.hpp"

#include "file_system.hpp"
#include "magic_file.hpp"
#include "platform.hpp"
#include "text_lines.hpp"
#include "texts.hpp"

#include <algorithm>
#include <array>
#include <string_view>

// Value k is on line 2 + k and the bump lines start at line 136, read as the compiler reads them
// (see magic_file.cpp); the edit touches only those bytes.

namespace vantor {

namespace {

constexpr int LinesBetweenValuesAndBumps = 3;

struct Replacement {
    std::size_t offset;
    std::size_t length;
    std::string text;
};

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

Replacement numberReplacement(std::size_t lineStart, std::string_view line, std::int64_t value) {
    const std::string number = std::to_string(value);
    const auto semicolon = line.find(';');
    if (semicolon == std::string_view::npos) {
        // A line without ";" reads as 0 whatever it holds; the number goes in front of it.
        return {lineStart, 0, number + "; "};
    }
    std::size_t first = 0;
    while (first < semicolon && isBlank(line[first])) {
        ++first;
    }
    std::size_t last = semicolon;
    while (last > first && isBlank(line[last - 1])) {
        --last;
    }
    if (first == last) {
        return {lineStart, 0, number};
    }
    return {lineStart + first, last - first, number};
}

std::string bumpLines(const std::vector<BumpEntry>& entries) {
    std::string text;
    for (const BumpEntry& entry : entries) {
        text += std::to_string(entry.first) + "," + std::to_string(entry.second) + "\r\n";
    }
    return text;
}

std::optional<std::string> compilerRefusal(const MagicCompilation& compiled, const std::string& file) {
    switch (compiled.outcome) {
    case MagicCompilation::Outcome::NotAMagicFile:
        return std::string(text::NotAMagicFile);
    case MagicCompilation::Outcome::EndMarkInBumpTable:
        return text::bumpValueEndsTable(file, compiled.endMarkLine);
    case MagicCompilation::Outcome::Compiled:
        break;
    }
    return std::nullopt;
}

} // namespace

MagicTextEdit editMagicText(std::span<const std::uint8_t> source, const std::string& file,
                            std::span<const ValueChange> changes,
                            const std::optional<std::vector<BumpEntry>>& bumpTable) {
    if (auto refusal = firstChangeRefusal(changes)) {
        return {std::nullopt, *refusal};
    }
    const MagicCompilation original = compileMagicText(source);
    if (auto refusal = compilerRefusal(original, file)) {
        return {std::nullopt, *refusal};
    }

    // A value changed twice takes the last change.
    std::array<std::optional<std::int64_t>, MagicValueCount> wanted;
    for (const ValueChange& change : changes) {
        wanted[static_cast<std::size_t>(change.number - 1)] = change.value;
    }
    std::vector<Replacement> replacements;
    TextLines lines(source);
    lines.next();
    lines.next();
    for (int k = 1; k <= MagicValueCount; ++k) {
        const bool pastEnd = lines.atEnd();
        const std::string line = lines.next();
        const auto& value = wanted[static_cast<std::size_t>(k - 1)];
        if (!value) {
            continue;
        }
        if (pastEnd) {
            return {std::nullopt, "the file ends before the line of value " + std::to_string(k)};
        }
        replacements.push_back(numberReplacement(lines.lineStart(), line, *value));
    }
    if (bumpTable) {
        for (int skipped = 0; skipped < LinesBetweenValuesAndBumps; ++skipped) {
            lines.next();
        }
        lines.next();
        const std::size_t start = lines.lineStart();
        replacements.push_back({start, lines.textSize() - start, bumpLines(*bumpTable)});
    }

    std::vector<std::uint8_t> edited;
    edited.reserve(source.size() + 64);
    std::size_t copied = 0;
    for (const Replacement& replacement : replacements) {
        edited.insert(edited.end(), source.begin() + static_cast<std::ptrdiff_t>(copied),
                      source.begin() + static_cast<std::ptrdiff_t>(replacement.offset));
        edited.insert(edited.end(), replacement.text.begin(), replacement.text.end());
        copied = replacement.offset + replacement.length;
    }
    edited.insert(edited.end(), source.begin() + static_cast<std::ptrdiff_t>(copied), source.end());

    // The edited text must read back as exactly the block asked for; lines out of place would
    // put the new numbers where the compiler reads something else.
    MagicBlock expected = bareBlockOf(original.markedBlock);
    applyChanges(expected, changes);
    if (bumpTable) {
        expected.setBumpTable(*bumpTable);
    }
    const MagicCompilation compiled = compileMagicText(edited);
    if (compiled.outcome != MagicCompilation::Outcome::Compiled ||
        compiled.markedBlock != expected.markedForm()) {
        return {std::nullopt,
                "the edited file would not read back as the values asked for: its lines are not "
                "where the compiler reads them (check shows where)"};
    }
    return {std::move(edited), {}};
}

EditResult SetMagicFileValues(const std::filesystem::path& file, std::span<const ValueChange> changes,
                              const std::optional<std::vector<BumpEntry>>& bumpTable, Messages& messages) {
    if (!fileExists(file)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return EditResult::FileNotFound;
    }
    const MagicTextEdit edit =
        editMagicText(readFile(file), platform::utf8FromPath(file), changes, bumpTable);
    if (!edit.text) {
        messages.show(MessageKind::Error, edit.refusal);
        return EditResult::Refused;
    }
    replaceFile(file, *edit.text);
    return EditResult::Changed;
}

} // namespace vantor
