#include "checksum_command.hpp"

#include "command_steps.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "messages.hpp"
#include "platform.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"

#include <algorithm>
#include <string>

namespace vantor::cli {

int runChecksum(const std::filesystem::path& track, ChecksumAction action, std::ostream& out,
                std::ostream& err) {
    StreamMessages messages(err);
    return reportingIoErrors(messages, [&] {
        if (!namedFileFound(track, messages)) {
            return 1;
        }
        const TrackFileChecksums checksums = readTrackChecksums(track);
        if (checksums.length < MinimumChecksummedSize) {
            messages.show(MessageKind::Error, platform::utf8FromPath(track) + " is " +
                                                  std::to_string(checksums.length) +
                                                  " bytes long; a track file holds at least 5 bytes.");
            return 1;
        }
        const TrackChecksum& stored = checksums.stored;
        const TrackChecksum& computed = checksums.computed;
        out << "stored:   " << checksumText(stored) << '\n' << "computed: " << checksumText(computed) << '\n';
        if (stored == computed) {
            return 0;
        }
        if (action == ChecksumAction::Fix) {
            if (!renewStoredChecksum(track)) {
                messages.show(MessageKind::Error,
                              "Unable to write the checksum of " + platform::utf8FromPath(track));
                return 1;
            }
            out << "renewed\n";
            return 0;
        }
        messages.show(MessageKind::Error,
                      "The checksum of " + platform::utf8FromPath(track) + " does not match its contents.");
        return 1;
    });
}

int runChecksums(const std::vector<std::filesystem::path>& tracks, ChecksumAction action, std::ostream& out,
                 std::ostream& err) {
    int exitCode = 0;
    for (const std::filesystem::path& track : tracks) {
        if (tracks.size() > 1) {
            out << platform::utf8FromPath(track) << ":\n";
        }
        exitCode = std::max(exitCode, runChecksum(track, action, out, err));
    }
    return exitCode;
}

} // namespace vantor::cli
