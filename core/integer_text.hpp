#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vantor {

// Strict conversion of a text to a signed 32-bit integer, as used for typed numbers: leading
// spaces, then a sign and decimal digits or a hexadecimal prefix ($, x, X, 0x, 0X) and hexadecimal
// digits, running to the end of the text. Hexadecimal is a 32-bit pattern. Empty on any error.
std::optional<std::int32_t> parseInteger(std::string_view text);

// How the magic data file's lenient reading went, so that a check can say where it goes wrong.
struct MagicNumberReading {
    std::int32_t value = 0;
    // Where the reading stopped in the text; its size when nothing was left over.
    std::size_t end = 0;
    std::size_t digitCount = 0;
    // Decimal digits outside the signed 32-bit range, which wrapped.
    bool beyond32Bits = false;
};

// The magic data file's lenient reading of a number, which never fails: it stops at the first
// character that cannot continue the number and then drops the sign. Decimal digits wrap modulo
// 2^32; at most 8 hexadecimal digits are read.
MagicNumberReading readMagicNumber(std::string_view text);
std::int32_t scanMagicNumber(std::string_view text);

} // namespace vantor
