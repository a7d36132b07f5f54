#pragma once

#include <string>
#include <string_view>

namespace vantor {

enum class PadSide { Right, Left };

// Pads text to width with the first character of fill (a space when fill is empty), after the
// text for PadSide::Right and before it for PadSide::Left. Text at least width long is returned
// unchanged.
std::string PadString(std::string_view text, std::size_t width, std::string_view fill, PadSide side);

} // namespace vantor
