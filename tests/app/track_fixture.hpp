#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantor::testing {

// A small valid track file without custom magic data: the three header words, an 8-byte area
// behind the header, a tail and the checksum.
std::vector<std::uint8_t> plainTrackFile();

// A track file whose area holds the marked block of the magic data file magicFileText(first)
// (end mark included), followed by the tail of plainTrackFile().
std::vector<std::uint8_t> customTrackFile(int firstValue);

// A magic data file with value 1 set to firstValue, the others 0, and two bump entries.
std::string magicFileText(int firstValue);

} // namespace vantor::testing
