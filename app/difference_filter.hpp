#pragma once

#include <QSortFilterProxyModel>

// Shows every row, or with "differences only" just the rows that differ from the compared source.
class DifferenceFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setDifferencesOnly(bool only);
    bool differencesOnly() const { return differencesOnly_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool differencesOnly_ = false;
};
