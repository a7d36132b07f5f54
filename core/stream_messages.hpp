#pragma once

#include "messages.hpp"

#include <ostream>

namespace vantor {

// Tells messages as lines "Caption: text", for runs without a window.
class StreamMessages : public Messages {
public:
    explicit StreamMessages(std::ostream& out)
        : out_(out) {}
    void show(MessageKind kind, std::string_view text) override;

private:
    std::ostream& out_;
};

} // namespace vantor
