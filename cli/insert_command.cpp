#include "insert_command.hpp"

#include "command_steps.hpp"
#include "stream_messages.hpp"

namespace vantor::cli {

int runInsert(const std::filesystem::path& track, const std::filesystem::path& magic, BackupChoice backup,
              std::ostream& err) {
    StreamMessages messages(err);
    return reportingIoErrors(messages, [&] {
        if (!namedFileFound(track, messages) || !namedFileFound(magic, messages)) {
            return 1;
        }
        return InsertMagicFile(magic, track, backup, messages) == InsertResult::Inserted ? 0 : 1;
    });
}

} // namespace vantor::cli
