#include "track_info_fields.hpp"

#include "integer_text.hpp"

#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

namespace vantor {

namespace {

constexpr std::string_view NameKey = "Name";
constexpr std::string_view CountryKey = "Country";
constexpr std::string_view AuthorKey = "Author";
constexpr std::string_view LapsKey = "Laps";
constexpr std::string_view Split1Key = "Split1";
constexpr std::string_view Split2Key = "Split2";

constexpr std::pair<std::string_view, std::string_view> DefaultLines[] = {
    {NameKey, ""}, {CountryKey, ""}, {AuthorKey, ""}, {LapsKey, "0"}, {Split1Key, "0"}, {Split2Key, "0"},
};

constexpr std::string_view HexPrefix = "0x";

// The shown text of a stored split point: empty for an empty value, else its hexadecimal digits
// in signed decimal. Only a lower-case "0x" counts as the prefix.
std::optional<std::string> shownSplit(InfoList& list, std::string_view key) {
    std::string stored = list.value(key);
    if (stored.empty()) {
        return std::string{};
    }
    if (const auto prefix = stored.find(HexPrefix); prefix != std::string::npos) {
        list.setValue(key, std::string_view(stored).substr(prefix + HexPrefix.size()));
        stored = list.value(key);
    }
    const std::optional<std::int32_t> value = parseInteger("$" + stored);
    if (!value) {
        return std::nullopt;
    }
    return std::to_string(*value);
}

std::string storedSplit(std::int32_t value) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(static_cast<std::uint32_t>(value)));
    return std::string(HexPrefix) + digits;
}

} // namespace

TrackInfoFields fieldsFromInfo(InfoList& list) {
    for (const auto& [key, value] : DefaultLines) {
        if (!list.contains(key)) {
            list.append(std::string(key) + '=' + std::string(value));
        }
    }
    TrackInfoFields fields;
    fields.name = list.value(NameKey);
    fields.country = list.value(CountryKey);
    fields.author = list.value(AuthorKey);
    fields.laps = list.value(LapsKey);
    const std::optional<std::string> split1 = shownSplit(list, Split1Key);
    const std::optional<std::string> split2 = shownSplit(list, Split2Key);
    fields.split1 = split1 && split2 ? *split1 : "0";
    fields.split2 = split1 && split2 ? *split2 : "0";
    return fields;
}

void applyFields(InfoList& list, const TrackInfoFields& fields) {
    list.setValue(NameKey, fields.name);
    list.setValue(CountryKey, fields.country);
    list.setValue(AuthorKey, fields.author);
    list.setValue(LapsKey, fields.laps);
    const std::optional<std::int32_t> split1 = parseInteger(fields.split1);
    const std::optional<std::int32_t> split2 = parseInteger(fields.split2);
    list.setValue(Split1Key, split1 && split2 ? storedSplit(*split1) : "0");
    list.setValue(Split2Key, split1 && split2 ? storedSplit(*split2) : "0");
}

} // namespace vantor
