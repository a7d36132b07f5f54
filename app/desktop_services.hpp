#pragma once

#include <QMessageBox>
#include <QString>

#include <optional>

class QWidget;

// The file dialogs, message boxes and input box, reached through one seam so that tests can
// answer them without a display. The program uses the platform's own dialogs.
class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    virtual void showMessage(QWidget* parent, const QString& caption, QMessageBox::Icon icon,
                             const QString& text) = 0;

    // A question box with the given buttons; the button chosen, or Cancel when the box is closed
    // otherwise.
    virtual QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& caption,
                                                    const QString& text,
                                                    QMessageBox::StandardButtons buttons) = 0;

    // The chosen file's full name, or empty when cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title, const QString& folder,
                                                const QString& fileName, const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                                const QString& defaultSuffix) = 0;

    // The text entered, or empty when cancelled.
    virtual std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& defaultText) = 0;

    // The services in use: the platform's unless a test installed others.
    static DesktopServices& current();
    // Installs services (nullptr restores the platform's); the caller keeps ownership.
    static void install(DesktopServices* services);
};
