#pragma once

#include "messages.hpp"

#include <string>

namespace vantor::cli {

// Tells every message as "FILE: text", so that a run over several files says which one it is about.
class FileMessages : public Messages {
public:
    FileMessages(Messages& messages, std::string file)
        : messages_(messages)
        , file_(std::move(file)) {}
    void show(MessageKind kind, std::string_view text) override;

private:
    Messages& messages_;
    std::string file_;
};

} // namespace vantor::cli
