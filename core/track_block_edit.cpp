#include "track_block_edit.hpp"

#include "file_system.hpp"
#include "texts.hpp"
#include "track_file.hpp"

namespace vantor {

EditResult SetTrackValues(const std::filesystem::path& track, std::span<const ValueChange> changes,
                          const std::optional<std::vector<BumpEntry>>& bumpTable, Messages& messages) {
    if (!fileExists(track)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return EditResult::FileNotFound;
    }
    if (auto refusal = firstChangeRefusal(changes)) {
        messages.show(MessageKind::Error, *refusal);
        return EditResult::Refused;
    }
    // Changed as read under the track's lock, so that a change made in between by another writer
    // survives.
    const InsertResult result =
        EditMagicBlock(track, BackupChoice::None, messages, [&](const MagicBlock& current) {
            MagicBlock block = current;
            applyChanges(block, changes);
            if (bumpTable) {
                block.setBumpTable(*bumpTable);
            }
            return std::optional(block.markedForm());
        });
    switch (result) {
    case InsertResult::FileNotFound:
        return EditResult::FileNotFound;
    case InsertResult::Refused:
    case InsertResult::BackupFailed:
        return EditResult::Refused;
    case InsertResult::Inserted:
        break;
    }
    return EditResult::Changed;
}

} // namespace vantor
