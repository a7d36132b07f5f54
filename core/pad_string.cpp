#include "pad_string.hpp"

namespace vantor {

std::string PadString(std::string_view text, std::size_t width, std::string_view fill, PadSide side) {
    std::string result(text);
    if (result.size() >= width) {
        return result;
    }
    const std::string padding(width - result.size(), fill.empty() ? ' ' : fill.front());
    return side == PadSide::Right ? result + padding : padding + result;
}

} // namespace vantor
