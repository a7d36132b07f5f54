#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "magic_block.hpp"

// The magic data open in the editor: the values and the bump table as edited, every edit an
// undoable step on one stack, and the second source they are compared with, if any.
class MagicDocument : public QObject {
    Q_OBJECT

public:
    explicit MagicDocument(const vantor::MagicBlock& block, QObject* parent = nullptr);

    std::int32_t value(int number) const { return values_.value(number); }
    const std::vector<vantor::BumpEntry>& bumpTable() const { return bumpTable_; }
    // The block as edited: the value area, the bump table and the end mark.
    vantor::MagicBlock block() const;

    QUndoStack& undoStack() { return undoStack_; }

    // Undoable edits. Checking a value against its encoding is the caller's job: a value the
    // encoding cannot hold would be stored wrapped.
    void editValues(const std::vector<std::pair<int, std::int32_t>>& values, const QString& what);
    void editBumpTable(std::vector<vantor::BumpEntry> table, const QString& what);

    // The raw changes the undo commands make.
    void storeValue(int number, std::int32_t value);
    void storeBumpTable(std::vector<vantor::BumpEntry> table);

    // The comparison: the other block and the name shown for it; nothing ends it.
    void compareWith(std::optional<vantor::MagicBlock> other, const QString& name);
    const std::optional<vantor::MagicBlock>& other() const { return other_; }
    std::vector<vantor::BumpEntry> otherBumpTable() const;
    const QString& otherName() const { return otherName_; }
    bool valueDiffers(int number) const;
    bool bumpEntryDiffers(std::size_t index) const;

signals:
    void valueChanged(int number);
    void bumpTableChanged();
    void comparisonChanged();

private:
    void compare();

    // The values; its own bump table is left as read, the edited one is kept beside it.
    vantor::MagicBlock values_;
    std::vector<vantor::BumpEntry> bumpTable_;
    std::optional<vantor::MagicBlock> other_;
    QString otherName_;
    std::array<bool, vantor::MagicValueCount> differingValues_{};
    std::vector<bool> differingEntries_;
    QUndoStack undoStack_;
};

std::vector<vantor::BumpEntry> bumpTableOf(const vantor::MagicBlock& block);
