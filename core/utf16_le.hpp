#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Little-endian UTF-16, as the platform's "Unicode" text files hold it, to and from UTF-8. What
// cannot be converted (a lone surrogate, a byte that starts no UTF-8 sequence) becomes U+FFFD; an
// odd last byte is no code unit and is dropped.
std::string utf8FromUtf16Le(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> utf16LeFromUtf8(std::string_view text);

} // namespace vantor
