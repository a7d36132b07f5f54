#pragma once

#include "messages.hpp"

#include <string>
#include <utility>
#include <vector>

namespace vantor::testing {

// Keeps the messages shown, for tests to read back.
class RecordingMessages : public Messages {
public:
    void show(MessageKind kind, std::string_view text) override {
        shown.emplace_back(kind, std::string(text));
    }
    std::vector<std::pair<MessageKind, std::string>> shown;
};

} // namespace vantor::testing
