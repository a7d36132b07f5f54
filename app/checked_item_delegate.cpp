#include "checked_item_delegate.hpp"

#include <QAbstractProxyModel>
#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QToolTip>
#include <QValidator>

#include "checked_table_model.hpp"

namespace {

// The cell in the checked model itself, through any filters between it and the view.
QModelIndex checkedIndex(const QModelIndex& index, const CheckedTableModel** model) {
    QModelIndex source = index;
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(source.model())) {
        source = proxy->mapToSource(source);
    }
    *model = qobject_cast<const CheckedTableModel*>(source.model());
    return source;
}

// A refused text is kept as typed ("intermediate"), so that it can be seen and mended.
class RefusalValidator : public QValidator {
public:
    RefusalValidator(const CheckedTableModel& model, const QModelIndex& index, QObject* parent)
        : QValidator(parent)
        , model_(model)
        , index_(index) {}

    State validate(QString& input, int& /*pos*/) const override {
        return model_.refusal(index_, input).isEmpty() ? Acceptable : Intermediate;
    }

private:
    const CheckedTableModel& model_;
    QPersistentModelIndex index_;
};

} // namespace

QWidget* CheckedItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                                           const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const CheckedTableModel* model = nullptr;
    const QModelIndex source = checkedIndex(index, &model);
    if (model == nullptr) {
        return editor;
    }
    editor->setValidator(new RefusalValidator(*model, source, editor));
    connect(editor, &QLineEdit::textEdited, this, [this, editor, model, source](const QString& typed) {
        const QString reason = model->refusal(source, typed);
        editor->setToolTip(reason);
        if (reason.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), reason, editor);
        }
        emit refusalChanged(reason);
    });
    return editor;
}

void CheckedItemDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void CheckedItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                       const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    if (line->hasAcceptableInput()) {
        model->setData(index, line->text(), Qt::EditRole);
    }
    emit refusalChanged(QString());
}
