#include "track_rewrite.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "file_system.hpp"
#include "little_endian.hpp"
#include "track_checksum.hpp"

namespace vantor {

void TrackRewrite::keep(std::uint64_t offset, std::uint64_t count) {
    pieces_.push_back({offset, count, {}});
}

void TrackRewrite::insert(std::span<const std::uint8_t> bytes) {
    pieces_.push_back({0, bytes.size(), std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
}

void TrackRewrite::setWord(std::uint64_t offset, std::uint32_t value) {
    words_.push_back({offset, value});
}

std::uint64_t TrackRewrite::newLength() const {
    std::uint64_t length = ChecksumSize;
    for (const Piece& piece : pieces_) {
        length += piece.count;
    }
    return length;
}

// Every byte passes through one chunk: the words are set in it, it is summed and then emitted,
// together with where in the old contents it lies when it is a kept range left as it was. Such a
// chunk can be copied by the system instead of written: as fast on a plain file system (the
// bytes have been read for the sums anyway), and sharing the old blocks on one that copies on
// write.
template <typename ReadOld, typename Emit> void TrackRewrite::produce(ReadOld&& readOld, Emit&& emit) const {
    std::uint64_t largest = 0;
    for (const Piece& piece : pieces_) {
        largest = std::max(largest, piece.count);
    }
    std::vector<std::uint8_t> chunk(
        static_cast<std::size_t>(std::min<std::uint64_t>(largest, FileChunkSize)));
    RunningTrackChecksum sums;
    std::uint64_t written = 0;
    for (const Piece& piece : pieces_) {
        for (std::uint64_t done = 0; done < piece.count;) {
            const auto part = std::span(chunk).first(
                static_cast<std::size_t>(std::min<std::uint64_t>(piece.count - done, chunk.size())));
            if (piece.bytes.empty()) {
                readOld(piece.offset + done, part);
            } else {
                std::copy_n(piece.bytes.begin() + static_cast<std::ptrdiff_t>(done), part.size(),
                            part.begin());
            }
            bool patched = false;
            for (const Word& word : words_) {
                std::array<std::uint8_t, 4> bytes{};
                writeU32(bytes, 0, word.value);
                for (std::size_t k = 0; k < bytes.size(); ++k) {
                    const std::uint64_t at = word.offset + k;
                    if (at >= written && at - written < part.size()) {
                        part[static_cast<std::size_t>(at - written)] = bytes[k];
                        patched = true;
                    }
                }
            }
            sums.add(part);
            emit(std::span<const std::uint8_t>(part), piece.bytes.empty() && !patched
                                                          ? std::optional<std::uint64_t>(piece.offset + done)
                                                          : std::nullopt);
            written += part.size();
            done += part.size();
        }
    }
    std::array<std::uint8_t, ChecksumSize> checksum{};
    writeU16(checksum, 0, sums.value().byteSum);
    writeU16(checksum, 2, sums.value().rotatingSum);
    emit(std::span<const std::uint8_t>(checksum), std::nullopt);
}

std::vector<std::uint8_t> TrackRewrite::applyTo(std::span<const std::uint8_t> old) const {
    std::vector<std::uint8_t> result;
    result.reserve(static_cast<std::size_t>(newLength()));
    produce(
        [&](std::uint64_t offset, std::span<std::uint8_t> part) {
            const auto source = byteRange(old, offset, part.size());
            std::copy(source.begin(), source.end(), part.begin());
        },
        [&](std::span<const std::uint8_t> bytes, std::optional<std::uint64_t>) {
            result.insert(result.end(), bytes.begin(), bytes.end());
        });
    return result;
}

void TrackRewrite::applyTo(LockedFile& track) const {
    track.replaceWith("track file", [&](NewContents& out) {
        produce([&](std::uint64_t offset, std::span<std::uint8_t> part) { track.readAt(offset, part); },
                [&](std::span<const std::uint8_t> bytes, std::optional<std::uint64_t> keptFrom) {
                    if (keptFrom) {
                        out.appendCopy(track, *keptFrom, bytes.size());
                    } else {
                        out.append(bytes);
                    }
                });
    });
}

} // namespace vantor
