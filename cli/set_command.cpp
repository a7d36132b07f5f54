#include "set_command.hpp"

#include "bump_table_text.hpp"
#include "command_steps.hpp"
#include "file_messages.hpp"
#include "file_system.hpp"
#include "integer_text.hpp"
#include "magic_file_edit.hpp"
#include "magic_source.hpp"
#include "platform.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_block_edit.hpp"

#include <charconv>
#include <optional>

namespace vantor::cli {

namespace {

// An integer as typed: the program's integer rule, or a decimal number beyond 32 bits, which the
// range check then refuses rather than cutting it.
std::optional<std::int64_t> typedValue(std::string_view text) {
    if (const auto value = parseInteger(text)) {
        return *value;
    }
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<ValueChange> parsedAssignment(std::string_view assignment) {
    const auto equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const auto number = parseInteger(assignment.substr(0, equals));
    const auto value = typedValue(assignment.substr(equals + 1));
    if (!number || *number < 1 || *number > MagicValueCount || !value) {
        return std::nullopt;
    }
    return ValueChange{*number, *value};
}

} // namespace

int runSet(const std::filesystem::path& target, const std::vector<std::string>& assignments,
           const std::filesystem::path& bumpTableFile, std::ostream& err) {
    StreamMessages messages(err);
    FileMessages targetMessages(messages, platform::utf8FromPath(target));
    std::vector<ValueChange> changes;
    for (const std::string& assignment : assignments) {
        const auto change = parsedAssignment(assignment);
        if (!change) {
            messages.show(MessageKind::Error, "\"" + assignment +
                                                  "\" is not NUMBER=VALUE with a value number from 1 to 130 "
                                                  "and an integer value.");
            return SetUsageError;
        }
        changes.push_back(*change);
    }
    if (changes.empty() && bumpTableFile.empty()) {
        messages.show(MessageKind::Error, "Nothing to set: give NUMBER=VALUE or --bump-table FILE.");
        return SetUsageError;
    }
    const SourceNaming naming = nameSource(platform::utf8FromPath(target));
    if (naming.name && naming.name->kind == SourceKind::StockData) {
        targetMessages.show(MessageKind::Error,
                            "the game executable is never written; set changes a track file "
                            "or a magic data file.");
        return SetUsageError;
    }
    return reportingIoErrors(targetMessages, [&] {
        std::optional<std::vector<BumpEntry>> bumpTable;
        if (!bumpTableFile.empty()) {
            FileMessages bumpMessages(messages, platform::utf8FromPath(bumpTableFile));
            if (!fileExists(bumpTableFile)) {
                bumpMessages.show(MessageKind::Error, text::FileNotFound);
                return 1;
            }
            BumpTableText parsed = parseBumpTableText(readFile(bumpTableFile));
            if (!parsed.entries) {
                bumpMessages.show(MessageKind::Error, parsed.refusal);
                return 1;
            }
            bumpTable = std::move(parsed.entries);
        }
        const EditResult result = isMagicFileName(target)
                                      ? SetMagicFileValues(target, changes, bumpTable, targetMessages)
                                      : SetTrackValues(target, changes, bumpTable, targetMessages);
        return result == EditResult::Changed ? 0 : 1;
    });
}

} // namespace vantor::cli
