#pragma once

#include <cstdint>
#include <vector>

#include <QUndoCommand>

#include "magic_block.hpp"

class MagicDocument;

// Values changed in one step: a typed value, or the values copied from the compared source.
class ValueEditCommand : public QUndoCommand {
public:
    struct Change {
        int number;
        std::int32_t before;
        std::int32_t after;
    };

    ValueEditCommand(MagicDocument& document, std::vector<Change> changes, const QString& text,
                     QUndoCommand* parent = nullptr);

    void undo() override;
    void redo() override;

private:
    MagicDocument& document_;
    std::vector<Change> changes_;
};

// The bump table changed in one step: an entry edited, added, removed or moved, or entries copied.
// The whole table is kept on both sides; it is small.
class BumpTableEditCommand : public QUndoCommand {
public:
    BumpTableEditCommand(MagicDocument& document, std::vector<vantor::BumpEntry> before,
                         std::vector<vantor::BumpEntry> after, const QString& text,
                         QUndoCommand* parent = nullptr);

    void undo() override;
    void redo() override;

private:
    MagicDocument& document_;
    std::vector<vantor::BumpEntry> before_;
    std::vector<vantor::BumpEntry> after_;
};
