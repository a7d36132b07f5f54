#include "checked_table_model.hpp"

QColor CheckedTableModel::differenceColour() {
    return {0xff, 0xe0, 0x90};
}
