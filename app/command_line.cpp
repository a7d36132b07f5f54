#include "command_line.hpp"

#include "file_name.hpp"
#include "file_system.hpp"
#include "track_file.hpp"

namespace vantor::app {

namespace {

bool isTrackFile(const std::string& name) {
    return upperExtension(name) == ".DAT";
}

// Magic data files are written as ".md2"; ".md" is the name older files carry.
bool isMagicFile(const std::string& name) {
    const std::string extension = upperExtension(name);
    return extension == ".MD2" || extension == ".MD";
}

} // namespace

void RunCommandLine(const std::vector<std::string>& arguments, Messages& messages) {
    if (arguments.size() != 2) {
        return;
    }
    // Two arguments never open the window, also when the insertion fails.
    CommandLineMode = true;
    std::string track;
    std::string magic;
    if (isTrackFile(arguments[0])) {
        track = arguments[0];
        if (isMagicFile(arguments[1])) {
            magic = arguments[1];
        }
    } else if (isMagicFile(arguments[0])) {
        magic = arguments[0];
        if (isTrackFile(arguments[1])) {
            track = arguments[1];
        }
    }
    if (fileExists(magic) && fileExists(track)) {
        InsertMagicFile(magic, track, BackupChoice::None, messages);
    }
}

std::optional<std::string> fileToEditAtStart(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    const std::string& name = arguments.front();
    if (!(isTrackFile(name) || isMagicFile(name)) || !fileExists(name)) {
        return std::nullopt;
    }
    return name;
}

} // namespace vantor::app
