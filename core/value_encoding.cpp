#include "value_encoding.hpp"

namespace vantor {

std::string_view encodingName(ValueEncoding encoding) {
    switch (encoding) {
    case ValueEncoding::BiasedByte:
        return "biased byte";
    case ValueEncoding::PlainByte:
        return "plain byte";
    case ValueEncoding::Unsigned16:
        return "unsigned 16-bit";
    case ValueEncoding::Signed32:
        return "signed 32-bit";
    }
    return {};
}

ValueRange rangeOf(ValueEncoding encoding) {
    switch (encoding) {
    case ValueEncoding::BiasedByte:
        return {-BiasedByteBias, 255 - BiasedByteBias};
    case ValueEncoding::PlainByte:
        return {0, 255};
    case ValueEncoding::Unsigned16:
        return {0, 65535};
    case ValueEncoding::Signed32:
        return {INT32_MIN, INT32_MAX};
    }
    return {0, 0};
}

std::int32_t storedValue(ValueEncoding encoding, std::int32_t v) {
    const auto pattern = static_cast<std::uint32_t>(v);
    switch (encoding) {
    case ValueEncoding::BiasedByte:
        return static_cast<std::uint8_t>(pattern + BiasedByteBias) - BiasedByteBias;
    case ValueEncoding::PlainByte:
        return static_cast<std::uint8_t>(pattern);
    case ValueEncoding::Unsigned16:
        return static_cast<std::uint16_t>(pattern);
    case ValueEncoding::Signed32:
        return v;
    }
    return v;
}

} // namespace vantor
