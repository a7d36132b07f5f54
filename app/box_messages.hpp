#pragma once

#include "messages.hpp"

class QWidget;

// Shows the core's messages as modal message boxes with a single OK button.
class BoxMessages : public vantor::Messages {
public:
    explicit BoxMessages(QWidget* parent = nullptr)
        : parent_(parent) {}
    void show(vantor::MessageKind kind, std::string_view text) override;

private:
    QWidget* parent_;
};
