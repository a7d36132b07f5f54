#pragma once

#include <optional>

#include "checked_table_model.hpp"

class MagicDocument;

// The bump table of the document, one entry a row, and beside it the compared source's entries.
// While comparing there is a row for every entry of either table.
class BumpTableModel : public CheckedTableModel {
    Q_OBJECT

public:
    enum Column { First, Second, OtherFirst, OtherSecond, ColumnCount };

    explicit BumpTableModel(MagicDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    QString refusal(const QModelIndex& index, const QString& text) const override;

private:
    std::optional<std::uint16_t> numberAt(int row, int column) const;
    void reload();

    MagicDocument& document_;
};
