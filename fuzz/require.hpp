#pragma once

#include <cstdlib>

namespace vantor::fuzz {

// A property that does not hold ends the run, so that libFuzzer keeps the input that broke it.
inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace vantor::fuzz
