#pragma once

#include <string_view>

namespace vantor {

enum class MessageKind { Error, Warning, Information, Plain };

// Where expected problems are told to the user: the desktop program shows message boxes, the
// command-line tools print lines on standard error.
class Messages {
public:
    virtual ~Messages() = default;
    virtual void show(MessageKind kind, std::string_view text) = 0;
};

// The caption that goes with each kind of message.
std::string_view captionOf(MessageKind kind);

} // namespace vantor
