#include "magic_document.hpp"

#include "magic_comparison.hpp"
#include "magic_edit_commands.hpp"

using vantor::BumpEntry;
using vantor::MagicBlock;

std::vector<BumpEntry> bumpTableOf(const MagicBlock& block) {
    std::vector<BumpEntry> table;
    table.reserve(block.bumpEntryCount());
    for (std::size_t i = 0; i < block.bumpEntryCount(); ++i) {
        table.push_back(block.bumpEntry(i));
    }
    return table;
}

MagicDocument::MagicDocument(const MagicBlock& block, QObject* parent)
    : QObject(parent)
    , values_(block)
    , bumpTable_(bumpTableOf(block)) {}

MagicBlock MagicDocument::block() const {
    MagicBlock block = values_;
    block.setBumpTable(bumpTable_);
    return block;
}

void MagicDocument::editValues(const std::vector<std::pair<int, std::int32_t>>& values, const QString& what) {
    std::vector<ValueEditCommand::Change> changes;
    for (const auto& [number, after] : values) {
        const std::int32_t before = value(number);
        if (before != after) {
            changes.push_back({number, before, after});
        }
    }
    // Typing a value over itself is no edit: it would only mark the document changed.
    if (!changes.empty()) {
        undoStack_.push(new ValueEditCommand(*this, std::move(changes), what));
    }
}

void MagicDocument::editBumpTable(std::vector<BumpEntry> table, const QString& what) {
    if (table == bumpTable_) {
        return;
    }
    undoStack_.push(new BumpTableEditCommand(*this, bumpTable_, std::move(table), what));
}

void MagicDocument::storeValue(int number, std::int32_t value) {
    values_.setValue(number, value);
    compare();
    emit valueChanged(number);
}

void MagicDocument::storeBumpTable(std::vector<BumpEntry> table) {
    bumpTable_ = std::move(table);
    compare();
    emit bumpTableChanged();
}

void MagicDocument::compareWith(std::optional<MagicBlock> other, const QString& name) {
    other_ = std::move(other);
    otherName_ = other_ ? name : QString();
    compare();
    emit comparisonChanged();
}

void MagicDocument::compare() {
    differingValues_.fill(false);
    differingEntries_.clear();
    if (!other_) {
        return;
    }
    const vantor::MagicComparison comparison = vantor::compareBlocks(block(), *other_);
    for (const vantor::ValueDifference& difference : comparison.values) {
        differingValues_[std::size_t(difference.number - 1)] = true;
    }
    differingEntries_.resize(std::max(comparison.aEntries, comparison.bEntries));
    for (const vantor::BumpDifference& difference : comparison.bumpEntries) {
        differingEntries_[difference.index] = true;
    }
}

std::vector<BumpEntry> MagicDocument::otherBumpTable() const {
    return other_ ? bumpTableOf(*other_) : std::vector<BumpEntry>{};
}

bool MagicDocument::valueDiffers(int number) const {
    return differingValues_[std::size_t(number - 1)];
}

bool MagicDocument::bumpEntryDiffers(std::size_t index) const {
    return index < differingEntries_.size() && differingEntries_[index];
}
