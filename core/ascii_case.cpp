#include "ascii_case.hpp"

namespace vantor {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string lowerCase(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        c = lower(c);
    }
    return lowered;
}

} // namespace vantor
