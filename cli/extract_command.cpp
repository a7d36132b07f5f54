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
        const auto contents = readNamedFile(track, messages);
        if (!contents) {
            return 1;
        }
        if (!holdsCustomMagicData(*contents)) {
            messages.show(MessageKind::Error, text::NoCustomMagicData);
            return 1;
        }
        return writeMagicOutput(customMagicBlock(*contents), descriptions, output, track, messages);
    });
}

} // namespace vantor::cli
