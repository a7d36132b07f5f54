#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "desktop_services.hpp"

// Answers the program's dialogs and records its message boxes, installed for as long as it lives.
class FakeDesktopServices : public DesktopServices {
public:
    struct Message {
        QString caption;
        QMessageBox::Icon icon;
        QString text;
        bool underWaitCursor;
    };
    struct OpenCall {
        QString title;
        QString folder;
        QString fileName;
        QString filter;
    };
    struct SaveCall {
        QString title;
        QString filter;
        QString defaultSuffix;
    };

    struct Question {
        QString caption;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    struct InputCall {
        QString caption;
        QString prompt;
        QString defaultText;
    };

    FakeDesktopServices() { install(this); }
    FakeDesktopServices(const FakeDesktopServices&) = delete;
    FakeDesktopServices& operator=(const FakeDesktopServices&) = delete;
    ~FakeDesktopServices() override { install(nullptr); }

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

    // Answers given in turn; a dialog without an answer left is cancelled.
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    // A question without an answer left is closed, which counts as Cancel.
    std::deque<QMessageBox::StandardButton> questionAnswers;

    std::vector<Message> messages;
    std::vector<OpenCall> opens;
    std::vector<SaveCall> saves;
    std::vector<InputCall> inputs;
    std::vector<Question> questions;

private:
    static std::optional<QString> next(std::deque<std::optional<QString>>& answers);
};
