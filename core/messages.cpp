#include "messages.hpp"

#include "texts.hpp"

namespace vantor {

std::string_view captionOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return text::ErrorCaption;
    case MessageKind::Warning:
        return text::WarningCaption;
    case MessageKind::Information:
        return text::InformationCaption;
    case MessageKind::Plain:
        break;
    }
    return text::ApplicationTitle;
}

} // namespace vantor
