#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vantor {

// Bounds-checked little-endian access to bytes in memory. A read or write that does not fit
// raises the "Read beyond end of file" error, since every such range comes from a file.
std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::uint64_t offset);
std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::uint64_t offset);
void writeU16(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint16_t value);
void writeU32(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t value);

// The range [offset, offset + count) of bytes, checked without overflow.
std::span<const std::uint8_t> byteRange(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                        std::uint64_t count);

} // namespace vantor
