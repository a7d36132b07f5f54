#pragma once

#include <string>

// Qt ends the process with an abort when its platform cannot start, most often because the display
// named in the environment does not answer. While a guard lives, such an end prints the guard's
// message on standard error instead and exits with code 1; other messages pass on unchanged.
class FatalStartGuard {
public:
    explicit FatalStartGuard(std::string message);
    FatalStartGuard(const FatalStartGuard&) = delete;
    FatalStartGuard& operator=(const FatalStartGuard&) = delete;
    ~FatalStartGuard();
};
