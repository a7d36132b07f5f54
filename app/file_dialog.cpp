#include "file_dialog.hpp"

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QTreeView>

#include "desktop_services.hpp"

namespace {

// The patterns of a filter as the dialog shows it, "Tracks (*.dat *.trk)": those in its last
// parentheses.
QStringList patternsOf(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) {
        return {};
    }
    QStringList patterns = filter.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
        if (pattern == QLatin1String("*.*")) {
            pattern = QStringLiteral("*");
        }
    }
    return patterns;
}

// Widens each column to its caption and contents (a column at most half the screen), then the
// dialog by what the list still lacks; it never narrows anything the user made wider.
void fitColumns(QFileDialog& dialog, QTreeView& view) {
    const int screenWidth = dialog.screen()->availableGeometry().width();
    QHeaderView* header = view.header();
    const QAbstractItemView& items = view;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column)) {
            continue;
        }
        const int wanted = std::min(
            std::max(header->sectionSizeHint(column), items.sizeHintForColumn(column)), screenWidth / 2);
        if (header->sectionSize(column) < wanted) {
            header->resizeSection(column, wanted);
        }
    }
    const int lacking = header->length() - view.viewport()->width();
    if (lacking > 0) {
        dialog.resize(std::min(dialog.width() + lacking, screenWidth), dialog.height());
    }
}

} // namespace

QString qtFileFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString suffix = QLatin1Char('(') + patterns + QLatin1Char(')');
        // "All files (*.*)" already names its pattern the way Qt reads it.
        filters << (description.endsWith(suffix) ? description : description + QLatin1Char(' ') + suffix);
    }
    return filters.join(QLatin1String(";;"));
}

void adaptFileDialog(QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    auto* view = dialog.findChild<QTreeView*>();
    if (model == nullptr || view == nullptr) {
        return;
    }
    // The dialog sets the patterns of a chosen filter first and then tells of the choice.
    const auto useFilter = [model](const QString& filter) { model->setNameFilters(patternsOf(filter)); };
    useFilter(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, model, useFilter);
    // The list is filled in the background: the columns are fitted once the dialog is up and again
    // whenever a folder's contents have arrived.
    const auto fit = [&dialog, view] { fitColumns(dialog, *view); };
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &dialog, fit);
    QTimer::singleShot(0, &dialog, fit);
}

void enterFolderOf(const QString& fileName) {
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
}

FileSaveDialog::FileSaveDialog(QString title, QString filter, QString defaultExtension)
    : title_(std::move(title))
    , filter_(std::move(filter))
    , defaultExtension_(std::move(defaultExtension)) {}

std::optional<QString> FileSaveDialog::execute(QWidget* parent) const {
    auto chosen =
        DesktopServices::current().saveFileName(parent, title_, qtFileFilter(filter_), defaultExtension_);
    if (chosen) {
        enterFolderOf(*chosen);
    }
    return chosen;
}
