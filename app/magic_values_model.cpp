#include "magic_values_model.hpp"

#include <QBrush>

#include "integer_text.hpp"
#include "magic_document.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "value_change.hpp"
#include "value_encoding.hpp"

namespace text = vantor::text;

namespace {

// "biased byte, -151 to 104".
QString encodingText(int number) {
    const vantor::ValueEncoding encoding = vantor::valueSlot(number).encoding;
    const vantor::ValueRange range = vantor::rangeOf(encoding);
    return QStringLiteral("%1, %2 to %3")
        .arg(qText(vantor::encodingName(encoding)))
        .arg(range.min)
        .arg(range.max);
}

} // namespace

MagicValuesModel::MagicValuesModel(MagicDocument& document, const vantor::Descriptions& descriptions,
                                   QObject* parent)
    : CheckedTableModel(parent)
    , document_(document)
    , descriptions_(descriptions) {
    connect(&document_, &MagicDocument::valueChanged, this, &MagicValuesModel::valueChanged);
    connect(&document_, &MagicDocument::comparisonChanged, this, &MagicValuesModel::comparisonChanged);
}

void MagicValuesModel::valueChanged(int number) {
    const int row = rowOf(number);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

void MagicValuesModel::comparisonChanged() {
    emit headerDataChanged(Qt::Horizontal, OtherValue, OtherValue);
    emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int MagicValuesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : vantor::MagicValueCount;
}

int MagicValuesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant MagicValuesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int number = numberOf(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case Number:
            return number;
        case Description: {
            const std::string& description = descriptions_[std::size_t(number - 1)];
            return QString::fromLocal8Bit(description.data(), qsizetype(description.size()));
        }
        case Value:
            return QString::number(document_.value(number));
        case OtherValue:
            return document_.other() ? QVariant(QString::number(document_.other()->value(number)))
                                     : QVariant();
        case Encoding:
            return encodingText(number);
        default:
            return {};
        }
    case Qt::TextAlignmentRole:
        if (index.column() == Number || index.column() == Value || index.column() == OtherValue) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        return {};
    case DiffersRole:
        return document_.valueDiffers(number);
    case Qt::BackgroundRole:
        return document_.valueDiffers(number) ? QVariant(QBrush(differenceColour())) : QVariant();
    default:
        return {};
    }
}

QVariant MagicValuesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) {
        return CheckedTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Number:
        return qText(text::NumberHeader);
    case Description:
        return qText(text::DescriptionHeader);
    case Value:
        return qText(text::ValueHeader);
    case OtherValue:
        return document_.otherName();
    case Encoding:
        return qText(text::EncodingHeader);
    default:
        return {};
    }
}

Qt::ItemFlags MagicValuesModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = CheckedTableModel::flags(index);
    if (index.column() == Value) {
        flags |= Qt::ItemIsEditable;
    }
    return flags;
}

QString MagicValuesModel::refusal(const QModelIndex& index, const QString& typed) const {
    const auto value = vantor::parseInteger(localFileName(typed));
    if (!value) {
        return qText(text::NotAWholeNumber).arg(typed);
    }
    const auto refused = vantor::changeRefusal({numberOf(index.row()), *value});
    return refused ? qText(*refused) : QString();
}

bool MagicValuesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != Value || !refusal(index, value.toString()).isEmpty()) {
        return false;
    }
    const int number = numberOf(index.row());
    const std::int32_t typed = *vantor::parseInteger(localFileName(value.toString()));
    document_.editValues({{number, typed}}, qText(text::ChangeValueStep).arg(number));
    return true;
}
