#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace vantor::cli {

// The fields to change, as typed into the track info dialog; an absent one keeps its shown text.
struct InfoChanges {
    std::optional<std::string> laps;
    std::optional<std::string> split1;
    std::optional<std::string> split2;
    bool any() const { return laps || split1 || split2; }
};

// Without changes prints the info block's lines key=value in file order. With changes saves the
// block as the track info dialog does after those fields were changed. Exit code 0 on success, 1
// when the track is missing, holds no info block or a file operation fails (the track unchanged).
int runInfo(const std::filesystem::path& track, const InfoChanges& changes, std::ostream& out,
            std::ostream& err);

} // namespace vantor::cli
