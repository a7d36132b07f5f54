#include "little_endian.hpp"

#include "io_error.hpp"

namespace vantor {

namespace {

void requireRange(std::size_t size, std::uint64_t offset, std::uint64_t count) {
    if (offset > size || count > size - offset) {
        throw IoError(IoError::ReadBeyondEnd);
    }
}

} // namespace

std::uint16_t readU16(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    requireRange(bytes.size(), offset, 2);
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::uint64_t offset) {
    requireRange(bytes.size(), offset, 4);
    return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
           std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
}

void writeU16(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint16_t value) {
    requireRange(bytes.size(), offset, 2);
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void writeU32(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t value) {
    requireRange(bytes.size(), offset, 4);
    for (int i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::span<const std::uint8_t> byteRange(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                        std::uint64_t count) {
    requireRange(bytes.size(), offset, count);
    return bytes.subspan(offset, count);
}

} // namespace vantor
