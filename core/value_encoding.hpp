#pragma once

#include <cstdint>
#include <string_view>

namespace vantor {

// How a value is stored in the value area of a magic data block.
enum class ValueEncoding { BiasedByte, PlainByte, Unsigned16, Signed32 };

// The values an encoding can hold without wrapping; 64-bit so that a typed number beyond 32 bits
// can be compared too.
// A biased byte b stands for the value b - 151.
inline constexpr std::int32_t BiasedByteBias = 151;

struct ValueRange {
    std::int64_t min;
    std::int64_t max;
    bool contains(std::int64_t value) const { return value >= min && value <= max; }
};

// "biased byte", "plain byte", "unsigned 16-bit", "signed 32-bit".
std::string_view encodingName(ValueEncoding encoding);

ValueRange rangeOf(ValueEncoding encoding);

// The value that reads back after v is stored in the encoding, which reduces it modulo the width
// of the slot: a biased byte 120 reads back as -136.
std::int32_t storedValue(ValueEncoding encoding, std::int32_t v);

} // namespace vantor
