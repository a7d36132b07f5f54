#pragma once

#include <functional>

class QWidget;

// Runs one event handler's work; a failure it raises ends the work there and is shown in an error
// box captioned with the application's title, so no exception reaches Qt's event loop.
void runGuarded(QWidget* parent, const std::function<void()>& work);
