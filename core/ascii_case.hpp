#pragma once

#include <string>
#include <string_view>

namespace vantor {

// True when the texts are equal with the letters A to Z taken as a to z; the game's texts are
// single-byte, and other bytes compare as they are.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text with the letters A to Z as a to z.
std::string lowerCase(std::string_view text);

} // namespace vantor
