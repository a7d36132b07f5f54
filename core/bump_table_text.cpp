#include "bump_table_text.hpp"

#include "integer_text.hpp"

#include <string_view>

namespace vantor {

std::optional<std::uint16_t> parseBumpNumber(std::string_view text) {
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    const std::optional<std::int32_t> value = parseInteger(text);
    if (!value || *value < 0 || *value >= EndMark) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

BumpTableText parseBumpTableText(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<BumpEntry> entries;
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            continue;
        }
        const auto comma = line.find(',');
        const auto first =
            comma == std::string_view::npos ? std::nullopt : parseBumpNumber(line.substr(0, comma));
        const auto second =
            comma == std::string_view::npos ? std::nullopt : parseBumpNumber(line.substr(comma + 1));
        if (!first || !second) {
            return {std::nullopt, "line " + std::to_string(lineNumber) + " \"" + std::string(line) +
                                      "\" is not FIRST,SECOND with two whole numbers from 0 to 65534"};
        }
        entries.push_back({*first, *second});
    }
    return {std::move(entries), {}};
}

} // namespace vantor
