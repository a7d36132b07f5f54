#include "platform_services.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>

void PlatformServices::showMessage(QWidget* parent, const QString& caption, QMessageBox::Icon icon,
                                   const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton PlatformServices::askQuestion(QWidget* parent, const QString& caption,
                                                          const QString& text,
                                                          QMessageBox::StandardButtons buttons) {
    QMessageBox box(QMessageBox::Question, caption, text, buttons, parent);
    const int chosen = box.exec();
    return buttons.testFlag(QMessageBox::StandardButton(chosen)) ? QMessageBox::StandardButton(chosen)
                                                                 : QMessageBox::Cancel;
}

std::optional<QString> PlatformServices::openFileName(QWidget* parent, const QString& title,
                                                      const QString& folder, const QString& fileName,
                                                      const QString& filter) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> PlatformServices::saveFileName(QWidget* parent, const QString& title,
                                                      const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // Saving onto an existing file replaces it without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> PlatformServices::inputText(QWidget* parent, const QString& caption,
                                                   const QString& prompt, const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text;
}
