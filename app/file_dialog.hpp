#pragma once

#include <optional>

#include <QString>

class QFileDialog;
class QWidget;

// A list of file types written as description and pattern pairs, "Tracks|*.dat|All files (*.*)|*.*",
// in the form Qt's file dialogs take.
QString qtFileFilter(const QString& pairs);

// Prepares one of Qt's own file dialogs: "*.*" takes every file, as it does on the system these
// filters come from (Qt's matching wants a dot), and the columns of the file list are made wide
// enough for their captions and contents, the dialog wider to show them. A native dialog matches
// and sizes by itself and is left alone.
void adaptFileDialog(QFileDialog& dialog);

// The platform's file dialogs leave the process's current folder alone; the commands expect it at
// the folder of the file last chosen, where relative output names are resolved.
void enterFolderOf(const QString& fileName);

// A file-save dialog shown through the desktop services; it replaces an existing file without a
// question and gives a typed name without extension the default one.
class FileSaveDialog {
public:
    FileSaveDialog(QString title, QString filter, QString defaultExtension);

    // The chosen file's full name, or nothing when cancelled.
    std::optional<QString> execute(QWidget* parent) const;

private:
    QString title_;
    QString filter_;
    QString defaultExtension_;
};
