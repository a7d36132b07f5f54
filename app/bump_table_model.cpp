#include "bump_table_model.hpp"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include "bump_table_text.hpp"
#include "integer_text.hpp"
#include "magic_document.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"

namespace text = vantor::text;
using vantor::BumpEntry;

BumpTableModel::BumpTableModel(MagicDocument& document, QObject* parent)
    : CheckedTableModel(parent)
    , document_(document) {
    connect(&document_, &MagicDocument::bumpTableChanged, this, &BumpTableModel::reload);
    connect(&document_, &MagicDocument::comparisonChanged, this, &BumpTableModel::reload);
}

void BumpTableModel::reload() {
    // Rows come and go with entries; the view keeps its current row where it can.
    beginResetModel();
    endResetModel();
}

int BumpTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    const std::size_t own = document_.bumpTable().size();
    const std::size_t theirs = document_.other() ? document_.other()->bumpEntryCount() : 0;
    return int(std::max(own, theirs));
}

int BumpTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

std::optional<std::uint16_t> BumpTableModel::numberAt(int row, int column) const {
    const auto index = std::size_t(row);
    if (column == First || column == Second) {
        if (index >= document_.bumpTable().size()) {
            return std::nullopt;
        }
        const BumpEntry& entry = document_.bumpTable()[index];
        return column == First ? entry.first : entry.second;
    }
    const auto& other = document_.other();
    if (!other || index >= other->bumpEntryCount()) {
        return std::nullopt;
    }
    const BumpEntry entry = other->bumpEntry(index);
    return column == OtherFirst ? entry.first : entry.second;
}

QVariant BumpTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const auto number = numberAt(index.row(), index.column());
        return number ? QVariant(QString::number(*number)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case DiffersRole:
        return document_.bumpEntryDiffers(std::size_t(index.row()));
    case Qt::BackgroundRole:
        if (document_.bumpEntryDiffers(std::size_t(index.row()))) {
            return QBrush(differenceColour());
        }
        return {};
    default:
        return {};
    }
}

QVariant BumpTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    switch (section) {
    case First:
        return qText(text::BumpFirstHeader);
    case Second:
        return qText(text::BumpSecondHeader);
    case OtherFirst:
        return qText(text::BumpFirstHeader) + QLatin1Char('\n') + document_.otherName();
    case OtherSecond:
        return qText(text::BumpSecondHeader) + QLatin1Char('\n') + document_.otherName();
    default:
        return {};
    }
}

Qt::ItemFlags BumpTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = CheckedTableModel::flags(index);
    if ((index.column() == First || index.column() == Second) &&
        std::size_t(index.row()) < document_.bumpTable().size()) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QString BumpTableModel::refusal(const QModelIndex& /*index*/, const QString& typed) const {
    if (!vantor::parseInteger(localFileName(typed))) {
        return qText(text::NotAWholeNumber).arg(typed);
    }
    return vantor::parseBumpNumber(localFileName(typed)) ? QString() : qText(text::BumpNumberRange);
}

bool BumpTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !flags(index).testFlag(Qt::ItemIsEditable)) {
        return false;
    }
    const auto number = vantor::parseBumpNumber(localFileName(value.toString()));
    if (!number) {
        return false;
    }
    std::vector<BumpEntry> table = document_.bumpTable();
    BumpEntry& entry = table[std::size_t(index.row())];
    (index.column() == First ? entry.first : entry.second) = *number;
    document_.editBumpTable(std::move(table), qText(text::ChangeEntryStep).arg(index.row() + 1));
    return true;
}
