#include "extract_command.hpp"

#include "command_steps.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_file.hpp"

namespace vantor::cli {

int runExtract(const std::filesystem::path& track, const std::filesystem::path& output,
               const Descriptions& descriptions, std::ostream& err) {
    StreamMessages messages(err);
    return reportingIoErrors(messages, [&] {
        if (!namedFileExists(track, messages)) {
            return 1;
        }
        if (!trackHoldsCustomMagicData(track)) {
            messages.show(MessageKind::Error, text::NoCustomMagicData);
            return 1;
        }
        WriteMagicFile(readCustomMagicBlock(track), descriptions, output);
        return 0;
    });
}

} // namespace vantor::cli
