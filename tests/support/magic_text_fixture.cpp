#include "magic_text_fixture.hpp"

#include "magic_block.hpp"

namespace vantor::testing {

std::string magicText(const std::vector<std::pair<int, std::string>>& valueLines,
                      const std::vector<std::string>& bumpLines) {
    std::vector<std::string> values(MagicValueCount, "0         ; ");
    for (const auto& [k, line] : valueLines) {
        values[static_cast<std::size_t>(k - 1)] = line;
    }
    std::string text = "[kx7-2000 magic file]\r\n\r\n";
    for (const auto& line : values) {
        text += line + "\r\n";
    }
    text += "\r\n[bumptable]\r\n\r\n";
    for (const auto& line : bumpLines) {
        text += line + "\r\n";
    }
    return text;
}

} // namespace vantor::testing
