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
    const std::vector<std::uint8_t> contents = readFile(track);
    if (!holdsCustomMagicData(contents)) {
        messages.show(MessageKind::Error, text::NoCustomMagicData);
        return EditResult::Refused;
    }
    MagicBlock block = customMagicBlock(contents);
    applyChanges(block, changes);
    if (bumpTable) {
        block.setBumpTable(*bumpTable);
    }
    switch (InsertMagicBlock(block.markedForm(), track, BackupChoice::None, messages)) {
    case InsertResult::FileNotFound:
        return EditResult::FileNotFound;
    case InsertResult::Refused:
        return EditResult::Refused;
    case InsertResult::Inserted:
        break;
    }
    return EditResult::Changed;
}

} // namespace vantor
