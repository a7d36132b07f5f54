#pragma once

#include "magic_block.hpp"
#include "messages.hpp"
#include "value_change.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vantor {

struct MagicTextEdit {
    std::optional<std::vector<std::uint8_t>> text;
    // Why the edit cannot be made, when it cannot.
    std::string refusal;
};

// The magic data file's bytes with only the number of each changed value line replaced (a line
// without a number gets one in front) and, given entries, the bump lines replaced; every other
// byte stays. Refused when a change does not fit its encoding, the compiler refuses the file, or
// the edited text would not compile to the intended block (lines missing or out of place).
// The file's name goes into the refusal of a bump value 65535.
MagicTextEdit editMagicText(std::span<const std::uint8_t> source, const std::string& file,
                            std::span<const ValueChange> changes,
                            const std::optional<std::vector<BumpEntry>>& bumpTable);

// Edits the magic data file in place through editMagicText and replaces it in one step. Raises
// IoError, with the file unchanged.
EditResult SetMagicFileValues(const std::filesystem::path& file, std::span<const ValueChange> changes,
                              const std::optional<std::vector<BumpEntry>>& bumpTable, Messages& messages);

} // namespace vantor
