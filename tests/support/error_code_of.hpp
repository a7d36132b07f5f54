#pragma once

#include "io_error.hpp"

namespace vantor::testing {

// The code of the IoError the operation raises, 0 when it raises none.
int errorCodeOf(auto&& operation) {
    try {
        operation();
    } catch (const IoError& error) {
        return error.code();
    }
    return 0;
}

} // namespace vantor::testing
