#pragma once

#include <QStyledItemDelegate>

// Edits a cell of a CheckedTableModel in a line edit that holds back what the model refuses: the
// text stays as typed, with the reason in its tooltip and in refusalChanged, and Enter does not
// take it; leaving the cell keeps the old value. Nothing is ever stored wrapped.
class CheckedItemDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // The reason the text being typed is refused; empty once it is taken.
    void refusalChanged(const QString& reason) const;
};
