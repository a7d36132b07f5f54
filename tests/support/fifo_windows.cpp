#include "fifo.hpp"

namespace vantor::testing {

bool makeFifo(const std::filesystem::path&) {
    return false;
}

} // namespace vantor::testing
