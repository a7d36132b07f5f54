#include "platform_services.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QShowEvent>

#include "box_placement.hpp"
#include "file_dialog.hpp"

namespace {

// A box that, once Qt has sized it, fits its caption and is placed where the user looks.
template <class Box> class PlacedBox : public Box {
public:
    using Box::Box;

protected:
    void showEvent(QShowEvent* event) override {
        Box::showEvent(event);
        fitAndPlace(*this, this->parentWidget());
    }
};

} // namespace

void PlatformServices::showMessage(QWidget* parent, const QString& caption, QMessageBox::Icon icon,
                                   const QString& text) {
    PlacedBox<QMessageBox> box(icon, caption, text, QMessageBox::Ok, parent);
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
    adaptFileDialog(dialog);
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
    adaptFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> PlatformServices::inputText(QWidget* parent, const QString& caption,
                                                   const QString& prompt, const QString& defaultText) {
    PlacedBox<QInputDialog> box(parent);
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    if (box.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return box.textValue();
}
