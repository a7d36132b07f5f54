#include "magic_source.hpp"

#include "file_name.hpp"
#include "file_system.hpp"
#include "game_executable.hpp"
#include "integer_text.hpp"
#include "texts.hpp"
#include "track_file.hpp"

#include <vector>

namespace vantor {

bool isMagicFileName(const std::filesystem::path& file) {
    const std::string extension = upperExtension(file.string());
    return extension == ".MD2" || extension == ".MD";
}

SourceNaming nameSource(std::string_view given) {
    const std::filesystem::path file(given);
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
    return {SourceName{SourceKind::StockData, std::filesystem::path(given.substr(0, at)), *track,
                       std::string(given)},
            {}};
}

SourceLoad loadSource(const SourceName& name) {
    if (!fileExists(name.file)) {
        return {std::nullopt, std::string(text::FileNotFound)};
    }
    switch (name.kind) {
    case SourceKind::StockData:
        return {MagicSource{name, ReadStockBlock(name.file, name.track), std::nullopt}, {}};
    case SourceKind::TrackFile: {
        const std::vector<std::uint8_t> contents = readFile(name.file);
        if (!holdsCustomMagicData(contents)) {
            return {std::nullopt, std::string(text::NoCustomMagicData)};
        }
        return {MagicSource{name, customMagicBlock(contents), std::nullopt}, {}};
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
