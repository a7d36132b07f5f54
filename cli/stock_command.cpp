#include "stock_command.hpp"

#include "command_steps.hpp"
#include "game_executable.hpp"
#include "integer_text.hpp"
#include "output_folder.hpp"
#include "stream_messages.hpp"

#include <optional>
#include <string>

namespace vantor::cli {

int runStock(const std::filesystem::path& exe, std::string_view number, const std::filesystem::path& output,
             const Descriptions& descriptions, std::ostream& err) {
    StreamMessages messages(err);
    const std::optional<std::int32_t> track = parseInteger(number);
    if (!track || *track < 1 || *track > ExeTrackCount) {
        messages.show(MessageKind::Error,
                      "\"" + std::string(number) +
                          "\" is not a track number; NUMBER is a whole number from 1 to 17.");
        return StockUsageError;
    }
    return reportingIoErrors(messages, [&] {
        if (!namedFileFound(exe, messages)) {
            return 1;
        }
        const MagicBlock block = ReadStockBlock(exe, *track);
        return writeMagicOutput(block, descriptions,
                                output.empty() ? std::filesystem::path(stockFileName(*track)) : output, exe,
                                messages);
    });
}

int runStockInto(const std::filesystem::path& exe, std::string_view number,
                 const std::filesystem::path& outputFolder, const Descriptions& descriptions,
                 std::ostream& err) {
    const bool all = number == "all";
    const std::optional<std::int32_t> track = parseInteger(number);
    if (!all && (!track || *track < 1 || *track > ExeTrackCount)) {
        return runStock(exe, number, {}, descriptions, err);
    }
    StreamMessages messages(err);
    if (!outputFolder.empty() && !createOutputFolder(outputFolder, messages)) {
        return 1;
    }
    for (int n = all ? 1 : *track; n <= (all ? ExeTrackCount : *track); ++n) {
        const int exitCode =
            runStock(exe, std::to_string(n), outputFolder / stockFileName(n), descriptions, err);
        if (exitCode != 0) {
            return exitCode;
        }
    }
    return 0;
}

} // namespace vantor::cli
