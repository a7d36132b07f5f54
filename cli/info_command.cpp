#include "info_command.hpp"

#include "command_steps.hpp"
#include "info_block.hpp"
#include "io_error.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_info_fields.hpp"

#include <cstdint>
#include <stdexcept>

namespace vantor::cli {

int runInfo(const std::filesystem::path& track, const InfoChanges& changes, std::ostream& out,
            std::ostream& err) {
    StreamMessages messages(err);
    try {
        if (!namedFileFound(track, messages)) {
            return 1;
        }
        InfoList list;
        std::uint64_t infoStart = 0;
        if (!ReadKX7Info(track, list, infoStart)) {
            messages.show(MessageKind::Plain, text::NoInfoBlock);
            return 1;
        }
        const InfoList read = list;
        if (!changes.any()) {
            for (const std::string& line : list.lines()) {
                out << line << '\n';
            }
            return 0;
        }
        TrackInfoFields fields = fieldsFromInfo(list);
        fields.laps = changes.laps.value_or(fields.laps);
        fields.split1 = changes.split1.value_or(fields.split1);
        fields.split2 = changes.split2.value_or(fields.split2);
        applyFields(list, fields);
        return WriteKX7Info(track, read, list, messages) ? 0 : 1;
    } catch (const IoError& error) {
        messages.show(MessageKind::Error, error.what());
        return 1;
    } catch (const std::invalid_argument& error) {
        messages.show(MessageKind::Error, error.what());
        return 1;
    }
}

} // namespace vantor::cli
