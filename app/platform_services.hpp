#pragma once

#include "desktop_services.hpp"

// The platform's own dialogs and message boxes.
class PlatformServices : public DesktopServices {
public:
    void showMessage(QWidget* parent, const QString& caption, QMessageBox::Icon icon,
                     const QString& text) override;
    QMessageBox::StandardButton askQuestion(QWidget* parent, const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title, const QString& folder,
                                        const QString& fileName, const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& title, const QString& filter,
                                        const QString& defaultSuffix) override;
    std::optional<QString> inputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& defaultText) override;
};
