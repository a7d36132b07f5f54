#include "show_command.hpp"

#include "json_writer.hpp"
#include "stream_messages.hpp"
#include "value_encoding.hpp"

#include <cstdio>
#include <string>

namespace vantor::cli {

namespace {

struct Shown {
    const MagicSource& source;
    const Descriptions& descriptions;
};

void writeJson(JsonWriter& json, const Shown& shown) {
    const MagicBlock& block = shown.source.block;
    json.beginObject();
    json.key("source");
    json.value(shown.source.name.given);
    json.key("values");
    json.beginArray();
    for (int k = 1; k <= MagicValueCount; ++k) {
        const ValueEncoding encoding = valueSlot(k).encoding;
        json.beginObject();
        json.key("number");
        json.value(k);
        json.key("description");
        json.value(shown.descriptions[static_cast<std::size_t>(k - 1)]);
        json.key("encoding");
        json.value(encodingName(encoding));
        json.key("min");
        json.value(rangeOf(encoding).min);
        json.key("max");
        json.value(rangeOf(encoding).max);
        json.key("value");
        json.value(block.value(k));
        json.endObject();
    }
    json.endArray();
    json.key("bump_table");
    json.beginArray();
    for (std::size_t j = 0; j < block.bumpEntryCount(); ++j) {
        json.beginArray();
        json.value(block.bumpEntry(j).first);
        json.value(block.bumpEntry(j).second);
        json.endArray();
    }
    json.endArray();
    json.endObject();
}

void writeText(std::ostream& out, const Shown& shown) {
    const MagicBlock& block = shown.source.block;
    out << shown.source.name.given << '\n';
    char line[128];
    std::snprintf(line, sizeof line, "%5s %11s  %-15s  %-24s  %s\n", "value", "", "encoding", "range",
                  "description");
    out << line;
    for (int k = 1; k <= MagicValueCount; ++k) {
        const ValueEncoding encoding = valueSlot(k).encoding;
        const ValueRange range = rangeOf(encoding);
        const std::string rangeText = std::to_string(range.min) + " to " + std::to_string(range.max);
        std::snprintf(line, sizeof line, "%5d %11d  %-15s  %-24s  ", k, block.value(k),
                      std::string(encodingName(encoding)).c_str(), rangeText.c_str());
        out << line << shown.descriptions[static_cast<std::size_t>(k - 1)] << '\n';
    }
    out << "bump table: " << block.bumpEntryCount()
        << (block.bumpEntryCount() == 1 ? " entry\n" : " entries\n");
    for (std::size_t j = 0; j < block.bumpEntryCount(); ++j) {
        std::snprintf(line, sizeof line, "%5zu  %u,%u\n", j + 1, unsigned{block.bumpEntry(j).first},
                      unsigned{block.bumpEntry(j).second});
        out << line;
    }
}

} // namespace

int runShow(const std::vector<std::string>& sources, const DescriptionOptions& descriptions,
            OutputFormat format, std::ostream& out, std::ostream& err) {
    StreamMessages messages(err);
    const std::optional<DescriptionSources> described = readDescriptionSources(descriptions, messages);
    if (!described) {
        return 1;
    }
    std::vector<MagicSource> loaded;
    int exitCode = 0;
    for (const std::string& given : sources) {
        std::optional<MagicSource> source = loadNamedSource(given, messages);
        if (source) {
            loaded.push_back(std::move(*source));
        } else {
            exitCode = 1;
        }
    }

    JsonWriter json(out);
    const bool list = sources.size() > 1;
    if (format == OutputFormat::Json && list) {
        json.beginArray();
    }
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        const Shown shown{loaded[i], descriptionsFor(loaded[i], described->asked, described->settings)};
        if (format == OutputFormat::Json) {
            writeJson(json, shown);
        } else {
            if (i > 0) {
                out << '\n';
            }
            writeText(out, shown);
        }
    }
    if (format == OutputFormat::Json && list) {
        json.endArray();
    }
    if (format == OutputFormat::Json && (list || !loaded.empty())) {
        json.finish();
    }
    return exitCode;
}

} // namespace vantor::cli
