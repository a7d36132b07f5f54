#include "box_messages.hpp"

#include "desktop_services.hpp"

namespace {

QMessageBox::Icon iconOf(vantor::MessageKind kind) {
    switch (kind) {
    case vantor::MessageKind::Error:
        return QMessageBox::Critical;
    case vantor::MessageKind::Warning:
        return QMessageBox::Warning;
    case vantor::MessageKind::Information:
        return QMessageBox::Information;
    case vantor::MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void BoxMessages::show(vantor::MessageKind kind, std::string_view text) {
    const auto caption = vantor::captionOf(kind);
    DesktopServices::current().showMessage(
        parent_, QString::fromLocal8Bit(caption.data(), qsizetype(caption.size())), iconOf(kind),
        QString::fromLocal8Bit(text.data(), qsizetype(text.size())));
}
