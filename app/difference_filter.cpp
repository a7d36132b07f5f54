#include "difference_filter.hpp"

#include "checked_table_model.hpp"

void DifferenceFilter::setDifferencesOnly(bool only) {
    if (only == differencesOnly_) {
        return;
    }
    differencesOnly_ = only;
    invalidateRowsFilter();
}

bool DifferenceFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !differencesOnly_ ||
           sourceModel()->index(sourceRow, 0, sourceParent).data(CheckedTableModel::DiffersRole).toBool();
}
