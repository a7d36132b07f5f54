#pragma once

// Shows the hourglass over the whole application for as long as it lives, also when the work
// inside ends with an exception.
class WaitCursor {
public:
    WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor();
};
