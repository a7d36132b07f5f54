#include "fake_desktop_services.hpp"

#include <QApplication>

void FakeDesktopServices::showMessage(QWidget* /*parent*/, const QString& caption, QMessageBox::Icon icon,
                                      const QString& text) {
    const QCursor* cursor = QApplication::overrideCursor();
    messages.push_back({caption, icon, text, cursor != nullptr && cursor->shape() == Qt::WaitCursor});
}

QMessageBox::StandardButton FakeDesktopServices::askQuestion(QWidget* /*parent*/, const QString& caption,
                                                             const QString& text,
                                                             QMessageBox::StandardButtons buttons) {
    questions.push_back({caption, text, buttons});
    if (questionAnswers.empty()) {
        return QMessageBox::Cancel;
    }
    const QMessageBox::StandardButton answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

std::optional<QString> FakeDesktopServices::openFileName(QWidget* /*parent*/, const QString& title,
                                                         const QString& folder, const QString& fileName,
                                                         const QString& filter) {
    opens.push_back({title, folder, fileName, filter});
    return next(openAnswers);
}

std::optional<QString> FakeDesktopServices::saveFileName(QWidget* /*parent*/, const QString& title,
                                                         const QString& filter,
                                                         const QString& defaultSuffix) {
    saves.push_back({title, filter, defaultSuffix});
    return next(saveAnswers);
}

std::optional<QString> FakeDesktopServices::inputText(QWidget* /*parent*/, const QString& caption,
                                                      const QString& prompt, const QString& defaultText) {
    inputs.push_back({caption, prompt, defaultText});
    return next(inputAnswers);
}

std::optional<QString> FakeDesktopServices::next(std::deque<std::optional<QString>>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    std::optional<QString> answer;
    answer.swap(answers.front());
    answers.pop_front();
    return answer;
}
