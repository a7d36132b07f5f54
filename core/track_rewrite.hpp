#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vantor {

class LockedFile;

// A track's new contents described from its old ones: pieces in order, each a range of the old
// contents kept or new bytes, 32-bit words set on the way, and the checksum over all of it behind
// them. Kept as a description, so that a track of any size is rewritten a chunk at a time.
class TrackRewrite {
public:
    void keep(std::uint64_t offset, std::uint64_t count);
    void insert(std::span<const std::uint8_t> bytes);
    // Sets the little-endian word at offset of the new contents; it must lie inside them.
    void setWord(std::uint64_t offset, std::uint32_t value);

    // The length of the new contents, checksum included.
    std::uint64_t newLength() const;

    // The new contents in memory. Raises IoError ("Read beyond end of file") when a kept range
    // lies outside old.
    std::vector<std::uint8_t> applyTo(std::span<const std::uint8_t> old) const;

    // Replaces the locked track with the new contents, read, summed and written a chunk at a time:
    // memory stays at the inserted bytes and one chunk. Raises IoError, with the track unchanged.
    void applyTo(LockedFile& track) const;

private:
    struct Piece {
        std::uint64_t offset = 0; // in the old contents, for a kept range
        std::uint64_t count = 0;
        std::vector<std::uint8_t> bytes; // for inserted bytes
    };
    struct Word {
        std::uint64_t offset;
        std::uint32_t value;
    };

    template <typename ReadOld, typename Emit> void produce(ReadOld&& readOld, Emit&& emit) const;

    std::vector<Piece> pieces_;
    std::vector<Word> words_;
};

} // namespace vantor
