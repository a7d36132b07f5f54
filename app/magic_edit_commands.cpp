#include "magic_edit_commands.hpp"

#include "magic_document.hpp"

ValueEditCommand::ValueEditCommand(MagicDocument& document, std::vector<Change> changes, const QString& text,
                                   QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , changes_(std::move(changes)) {}

void ValueEditCommand::undo() {
    for (const Change& change : changes_) {
        document_.storeValue(change.number, change.before);
    }
}

void ValueEditCommand::redo() {
    for (const Change& change : changes_) {
        document_.storeValue(change.number, change.after);
    }
}

BumpTableEditCommand::BumpTableEditCommand(MagicDocument& document, std::vector<vantor::BumpEntry> before,
                                           std::vector<vantor::BumpEntry> after, const QString& text,
                                           QUndoCommand* parent)
    : QUndoCommand(text, parent)
    , document_(document)
    , before_(std::move(before))
    , after_(std::move(after)) {}

void BumpTableEditCommand::undo() {
    document_.storeBumpTable(before_);
}

void BumpTableEditCommand::redo() {
    document_.storeBumpTable(after_);
}
