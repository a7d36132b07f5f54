#include "diff_command.hpp"

#include "json_writer.hpp"
#include "magic_comparison.hpp"
#include "stream_messages.hpp"

#include <cstdio>
#include <string>

namespace vantor::cli {

namespace {

std::string entryText(const std::optional<BumpEntry>& entry) {
    return entry ? std::to_string(entry->first) + "," + std::to_string(entry->second) : "none";
}

void writeEntry(JsonWriter& json, const std::optional<BumpEntry>& entry) {
    if (!entry) {
        json.null();
        return;
    }
    json.beginArray();
    json.value(entry->first);
    json.value(entry->second);
    json.endArray();
}

void writeJson(JsonWriter& json, const MagicSource& a, const MagicSource& b,
               const MagicComparison& comparison, const Descriptions& descriptions) {
    json.beginObject();
    json.key("a");
    json.value(a.name.given);
    json.key("b");
    json.value(b.name.given);
    json.key("values");
    json.beginArray();
    for (const ValueDifference& difference : comparison.values) {
        json.beginObject();
        json.key("number");
        json.value(difference.number);
        json.key("description");
        json.value(descriptions[static_cast<std::size_t>(difference.number - 1)]);
        json.key("a");
        json.value(difference.a);
        json.key("b");
        json.value(difference.b);
        json.endObject();
    }
    json.endArray();
    json.key("bump_table");
    json.beginObject();
    json.key("a_entries");
    json.value(std::uint64_t{comparison.aEntries});
    json.key("b_entries");
    json.value(std::uint64_t{comparison.bEntries});
    json.key("differing");
    json.beginArray();
    for (const BumpDifference& difference : comparison.bumpEntries) {
        json.beginObject();
        json.key("index");
        json.value(std::uint64_t{difference.index});
        json.key("a");
        writeEntry(json, difference.a);
        json.key("b");
        writeEntry(json, difference.b);
        json.endObject();
    }
    json.endArray();
    json.endObject();
    json.endObject();
    json.finish();
}

void writeText(std::ostream& out, const MagicSource& a, const MagicSource& b,
               const MagicComparison& comparison, const Descriptions& descriptions) {
    out << "--- " << a.name.given << "\n+++ " << b.name.given << '\n';
    char line[64];
    for (const ValueDifference& difference : comparison.values) {
        std::snprintf(line, sizeof line, "value %3d  %11d  %11d  ", difference.number, difference.a,
                      difference.b);
        out << line << descriptions[static_cast<std::size_t>(difference.number - 1)] << '\n';
    }
    if (comparison.bumpEntries.empty()) {
        return;
    }
    out << "bump table: " << comparison.aEntries << " entries in " << a.name.given << ", "
        << comparison.bEntries << " in " << b.name.given << '\n';
    for (const BumpDifference& difference : comparison.bumpEntries) {
        std::snprintf(line, sizeof line, "entry %3zu  %11s  %11s\n", difference.index + 1,
                      entryText(difference.a).c_str(), entryText(difference.b).c_str());
        out << line;
    }
}

} // namespace

int runDiff(std::string_view a, std::string_view b, const DescriptionOptions& descriptions,
            OutputFormat format, std::ostream& out, std::ostream& err) {
    StreamMessages messages(err);
    const std::optional<DescriptionSources> described = readDescriptionSources(descriptions, messages);
    if (!described) {
        return DiffTrouble;
    }
    const std::optional<MagicSource> sourceA = loadNamedSource(a, messages);
    const std::optional<MagicSource> sourceB = loadNamedSource(b, messages);
    if (!sourceA || !sourceB) {
        return DiffTrouble;
    }
    // A magic data file among the two brings its descriptions, the first one first.
    const Descriptions& shown = described->asked ? *described->asked
                                : sourceA->ownDescriptions
                                    ? *sourceA->ownDescriptions
                                    : descriptionsFor(*sourceB, std::nullopt, described->settings);
    const MagicComparison comparison = compareBlocks(sourceA->block, sourceB->block);
    if (format == OutputFormat::Json) {
        JsonWriter json(out);
        writeJson(json, *sourceA, *sourceB, comparison, shown);
    } else if (!comparison.equal()) {
        writeText(out, *sourceA, *sourceB, comparison, shown);
    }
    return comparison.equal() ? 0 : 1;
}

} // namespace vantor::cli
