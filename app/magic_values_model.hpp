#pragma once

#include "checked_table_model.hpp"
#include "magic_file.hpp"

class MagicDocument;

// The 130 values of the document, one a row: number, description, value, the compared source's
// value, and the encoding with its range. Only the value is edited, and only within its range.
class MagicValuesModel : public CheckedTableModel {
    Q_OBJECT

public:
    enum Column { Number, Description, Value, OtherValue, Encoding, ColumnCount };

    MagicValuesModel(MagicDocument& document, const vantor::Descriptions& descriptions,
                     QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    QString refusal(const QModelIndex& index, const QString& text) const override;

    // The row of value number 1 to 130.
    static int rowOf(int number) { return number - 1; }
    static int numberOf(int row) { return row + 1; }

private:
    void valueChanged(int number);
    void comparisonChanged();

    MagicDocument& document_;
    vantor::Descriptions descriptions_;
};
