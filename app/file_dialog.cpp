#include "file_dialog.hpp"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "desktop_services.hpp"

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
