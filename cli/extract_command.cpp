#include "extract_command.hpp"

#include "command_steps.hpp"
#include "output_folder.hpp"
#include "platform.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_file.hpp"

#include <algorithm>
#include <set>

namespace vantor::cli {

int runExtract(const std::filesystem::path& track, const std::filesystem::path& output,
               const Descriptions& descriptions, std::ostream& err) {
    StreamMessages messages(err);
    return reportingIoErrors(messages, [&] {
        if (!namedFileFound(track, messages)) {
            return 1;
        }
        if (!trackHoldsCustomMagicData(track)) {
            messages.show(MessageKind::Error, text::NoCustomMagicData);
            return 1;
        }
        return writeMagicOutput(readCustomMagicBlock(track), descriptions, output, track, messages);
    });
}

int runExtractAll(const std::vector<std::filesystem::path>& tracks, const std::filesystem::path& outputFolder,
                  const Descriptions& descriptions, std::ostream& err) {
    StreamMessages messages(err);
    std::set<std::filesystem::path> outputs;
    for (const std::filesystem::path& track : tracks) {
        if (!outputs.insert(std::filesystem::path(track.stem()) += ".md2").second) {
            messages.show(MessageKind::Error, platform::utf8FromPath(track) +
                                                  ": another track of the same name would write " +
                                                  platform::utf8FromPath(outputFolder / track.stem()) +
                                                  ".md2 too; nothing was written.");
            return 1;
        }
    }
    if (!createOutputFolder(outputFolder, messages)) {
        return 1;
    }
    int exitCode = 0;
    for (const std::filesystem::path& track : tracks) {
        exitCode = std::max(exitCode,
                            runExtract(track, outputFolder / (std::filesystem::path(track.stem()) += ".md2"),
                                       descriptions, err));
    }
    return exitCode;
}

} // namespace vantor::cli
