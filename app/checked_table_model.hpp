#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

// A table whose edited cells take only what the core would take: the editor asks before it lets a
// typed text through, and setData refuses the same texts.
class CheckedTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Role of the cells of rows that differ from the compared source (a bool).
    static constexpr int DiffersRole = Qt::UserRole + 1;

    // The background of the rows that differ.
    static QColor differenceColour();

    // Why the text can't go into the cell; empty when it can.
    virtual QString refusal(const QModelIndex& index, const QString& text) const = 0;
};
