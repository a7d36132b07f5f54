#pragma once

#include "magic_block.hpp"
#include "magic_file.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vantor {

// Where a block of magic data is read from.
enum class SourceKind { TrackFile, MagicFile, StockData };

struct SourceName {
    SourceKind kind = SourceKind::TrackFile;
    // The track file, the magic data file or the game executable.
    std::filesystem::path file;
    // The track number 1 to 17 of stock data.
    int track = 0;
    // The name as given, which every message and output names the source by.
    std::string given;
};

// A name ending in ".md2" or ".md", in any case.
bool isMagicFileName(const std::filesystem::path& file);

struct SourceNaming {
    std::optional<SourceName> name;
    // Why the name is no source, when it is none.
    std::string refusal;
};

// A name that is an existing file is that file: a magic data file by its extension, else a track
// file. Otherwise EXE@N names the stock data of track N (the strict integer rule, 1 to 17) of the
// game executable EXE; anything else is a file that will be found missing.
SourceNaming nameSource(std::string_view given);

struct MagicSource {
    SourceName name;
    MagicBlock block;
    // The descriptions on a magic data file's value lines.
    std::optional<Descriptions> ownDescriptions;
};

struct SourceLoad {
    std::optional<MagicSource> source;
    // The system's text for a source that holds no readable block: "File not found!", a track
    // without custom magic data, a file that the compiler refuses.
    std::string refusal;
};

// Reads the block of a source: a track's custom block, a magic data file compiled exactly as an
// insertion compiles it, or the stock block from the executable. Raises IoError.
SourceLoad loadSource(const SourceName& name);

// The descriptions shown beside a source's values: those asked for, else a magic data file's own,
// else those of the settings.
const Descriptions& descriptionsFor(const MagicSource& source, const std::optional<Descriptions>& asked,
                                    const Descriptions& settings);

} // namespace vantor
