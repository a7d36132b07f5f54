#include "file_messages.hpp"

namespace vantor::cli {

void FileMessages::show(MessageKind kind, std::string_view text) {
    messages_.show(kind, file_ + ": " + std::string(text));
}

} // namespace vantor::cli
