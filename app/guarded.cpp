#include "guarded.hpp"

#include "desktop_services.hpp"
#include "texts.hpp"

#include <exception>

namespace {

// The failure's text, with a full stop when its last character sorts after ".".
QString shownText(const char* what) {
    QString text = QString::fromLocal8Bit(what);
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) {
        text += QLatin1Char('.');
    }
    return text;
}

} // namespace

void runGuarded(QWidget* parent, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& error) {
        DesktopServices::current().showMessage(
            parent,
            QString::fromLatin1(vantor::text::ApplicationTitle.data(),
                                qsizetype(vantor::text::ApplicationTitle.size())),
            QMessageBox::Critical, shownText(error.what()));
    }
}
