#include "magic_source.hpp"

#include "file_name.hpp"
#include "file_system.hpp"
#include "game_executable.hpp"
#include "integer_text.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "platform.hpp"
#include "texts.hpp"
#include "track_file.hpp"

#include <algorithm>
#include <vector>

namespace vantor {

bool isMagicFileName(const std::filesystem::path& file) {
    const std::string extension = upperExtension(platform::utf8FromPath(file));
    return extension == ".MD2" || extension == ".MD";
}

SourceNaming nameSource(std::string_view given) {
    const std::filesystem::path file = platform::pathFromUtf8(given);
    const auto fileSource = [&] {
        return SourceName{isMagicFileName(file) ? SourceKind::MagicFile : SourceKind::TrackFile, file, 0,
                          std::string(given)};
    };
    if (fileExists(file)) {
        return {fileSource(), {}};
    }
    const auto at = given.rfind('@');
    if (at == std::string_view::npos || at == 0) {
        return {fileSource(), {}};
    }
    const std::optional<std::int32_t> track = parseInteger(given.substr(at + 1));
    if (!track) {
        return {fileSource(), {}};
    }
    if (*track < 1 || *track > ExeTrackCount) {
        return {std::nullopt, "track " + std::to_string(*track) +
                                  " has no stock data; EXE@N takes a track number N from 1 to 17."};
    }
    return {SourceName{SourceKind::StockData, platform::pathFromUtf8(given.substr(0, at)), *track,
                       std::string(given)},
            {}};
}

namespace {

constexpr std::uint64_t AreaStartOffset = 20;
constexpr std::uint64_t AreaEndOffset = 24;
constexpr std::uint64_t HeaderSize = AreaEndOffset + 4;
// The area words count from this file offset.
constexpr std::uint64_t AreaBias = 32;

// A track's custom block, read without the rest of a file of perhaps megabytes: the header words,
// then the area from its start, read further until its end mark is in. The area is laid out as a
// track of its own whose area starts right behind the header, so that the track file's readers
// find the block there exactly as in the whole file. Raises IoError as they do.
std::optional<MagicBlock> customBlockOfTrackFile(const std::filesystem::path& file) {
    const std::uint64_t length = fileSize(file);
    const std::vector<std::uint8_t> header = readFileRange(file, 0, HeaderSize);
    const std::uint64_t start = readU32(header, AreaStartOffset) + AreaBias;
    const std::uint64_t end = readU32(header, AreaEndOffset) + AreaBias;
    std::uint64_t wanted = std::max<std::uint64_t>(end > start ? end - start : 0, EmptyMarkedBlockSize);
    for (;;) {
        const std::uint64_t available = length > start ? length - start : 0;
        const auto area = readFileRange(file, start, static_cast<std::size_t>(std::min(wanted, available)));
        std::vector<std::uint8_t> alone(AreaBias, 0);
        alone.insert(alone.end(), area.begin(), area.end());
        if (!holdsCustomMagicData(alone)) {
            return std::nullopt;
        }
        try {
            return customMagicBlock(alone);
        } catch (const IoError&) {
            if (wanted >= available) {
                throw;
            }
            wanted *= 2;
        }
    }
}

} // namespace

SourceLoad loadSource(const SourceName& name) {
    if (!fileExists(name.file)) {
        return {std::nullopt, std::string(text::FileNotFound)};
    }
    switch (name.kind) {
    case SourceKind::StockData:
        return {MagicSource{name, ReadStockBlock(name.file, name.track), std::nullopt}, {}};
    case SourceKind::TrackFile: {
        std::optional<MagicBlock> block = customBlockOfTrackFile(name.file);
        if (!block) {
            return {std::nullopt, std::string(text::NoCustomMagicData)};
        }
        return {MagicSource{name, std::move(*block), std::nullopt}, {}};
    }
    case SourceKind::MagicFile: {
        const std::vector<std::uint8_t> contents = readFile(name.file);
        MagicCompilation compiled = compileMagicText(contents);
        switch (compiled.outcome) {
        case MagicCompilation::Outcome::NotAMagicFile:
            return {std::nullopt, std::string(text::NotAMagicFile)};
        case MagicCompilation::Outcome::EndMarkInBumpTable:
            return {std::nullopt, text::bumpValueEndsTable(name.given, compiled.endMarkLine)};
        case MagicCompilation::Outcome::Compiled:
            break;
        }
        return {MagicSource{name, bareBlockOf(compiled.markedBlock), readDescriptions(contents)}, {}};
    }
    }
    return {std::nullopt, std::string(text::FileNotFound)};
}

const Descriptions& descriptionsFor(const MagicSource& source, const std::optional<Descriptions>& asked,
                                    const Descriptions& settings) {
    if (asked) {
        return *asked;
    }
    return source.ownDescriptions ? *source.ownDescriptions : settings;
}

} // namespace vantor
