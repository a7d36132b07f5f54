#pragma once

#include "magic_block.hpp"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vantor::testing {

// Bytes that differ from their neighbours, so that a shifted or repeated range shows.
std::vector<std::uint8_t> filler(std::size_t count, std::uint8_t seed);

// A track file of `length` bytes with the area words start and end, filler everywhere else and a
// stale checksum position, ending in a valid checksum.
std::vector<std::uint8_t> trackOf(std::size_t length, std::uint32_t start, std::uint32_t end);

// A track whose magic data area at file offset 132 holds `area`, followed by tailSize bytes.
std::vector<std::uint8_t> trackWithArea(const std::vector<std::uint8_t>& area, std::size_t tailSize = 300);

// A track holding an info block: a 16-byte header whose word at 8 points at the checksum, a zero
// byte, the block from the tag's '#' to the closing '#', and a valid checksum.
std::vector<std::uint8_t> trackWithInfoBlock(std::string_view block);

// A track whose magic data area holds `area`, and whose tail ends in an info block (from the tag's
// '#' to the closing '#') behind a zero byte, as the game's tracks do.
std::vector<std::uint8_t> trackWithAreaAndInfoBlock(const std::vector<std::uint8_t>& area,
                                                    std::string_view block);

// A block with every value set from seed and `entries` bump entries, none of them 65535.
MagicBlock blockWithEntries(std::size_t entries, std::int32_t seed);

} // namespace vantor::testing
