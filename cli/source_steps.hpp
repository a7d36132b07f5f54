#pragma once

#include "magic_file.hpp"
#include "magic_source.hpp"
#include "messages.hpp"

#include <filesystem>
#include <optional>
#include <string_view>

namespace vantor::cli {

enum class OutputFormat { Text, Json };

// Where the value descriptions come from; an empty path is an option not given.
struct DescriptionOptions {
    std::filesystem::path settingsFile;
    std::filesystem::path descriptionsFile;
};

struct DescriptionSources {
    // From --descriptions (the value lines of a magic data file) or else --settings; none when
    // neither was given, so that a magic data file brings its own.
    std::optional<Descriptions> asked;
    // The desktop program's, for sources without descriptions of their own.
    Descriptions settings;
};

// None, after a message naming the file, when the --descriptions file is missing, unreadable or not
// a magic data file.
std::optional<DescriptionSources> readDescriptionSources(const DescriptionOptions& options,
                                                         Messages& messages);

// The source named as given, or none after a message naming it (a file operation's failure too).
std::optional<MagicSource> loadNamedSource(std::string_view given, Messages& messages);

} // namespace vantor::cli
