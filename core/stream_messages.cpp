#include "stream_messages.hpp"

namespace vantor {

void StreamMessages::show(MessageKind kind, std::string_view text) {
    out_ << captionOf(kind) << ": ";
    // Message texts break lines with CR LF; a terminal wants LF alone.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out_ << text[i];
    }
    out_ << '\n' << std::flush;
}

} // namespace vantor
