#pragma once

#include "magic_block.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// One number of a bump entry: a whole number from 0 to 65534 by the strict integer rule, trailing
// spaces allowed. 65535 is refused: it would read back as the end of the table.
std::optional<std::uint16_t> parseBumpNumber(std::string_view text);

struct BumpTableText {
    std::optional<std::vector<BumpEntry>> entries;
    // Why the text is no bump table, naming the line, when it is none.
    std::string refusal;
};

// A bump table typed as text: one "first,second" line an entry, each a whole number from 0 to
// 65534 by the strict integer rule, spaces around them allowed; empty lines are skipped; lines
// end in LF or CR LF. 65535 is refused: it would read back as the end of the table.
BumpTableText parseBumpTableText(std::span<const std::uint8_t> text);

} // namespace vantor
