#pragma once

#include "magic_block.hpp"
#include "messages.hpp"
#include "value_change.hpp"

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace vantor {

// Changes values and, given entries, the bump table of the track's custom block, and rewrites the
// track as an insertion does: in one step, checksum renewed. A change that does not fit its
// encoding, or a track without custom magic data, is refused with a message and nothing changed.
// Raises IoError, with the track unchanged.
EditResult SetTrackValues(const std::filesystem::path& track, std::span<const ValueChange> changes,
                          const std::optional<std::vector<BumpEntry>>& bumpTable, Messages& messages);

} // namespace vantor
