#include "checksum_command.hpp"

#include "command_steps.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "messages.hpp"
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
        const auto read = readNamedFile(track, messages);
        if (!read) {
            return 1;
        }
        const std::vector<std::uint8_t>& contents = *read;
        if (contents.size() < MinimumChecksummedSize) {
            messages.show(MessageKind::Error, track.string() + " is " + std::to_string(contents.size()) +
                                                  " bytes long; a track file holds at least 5 bytes.");
            return 1;
        }
        const TrackChecksum stored = storedTrackChecksum(contents);
        const TrackChecksum computed = computeTrackChecksum(contents);
        out << "stored:   " << checksumText(stored) << '\n' << "computed: " << checksumText(computed) << '\n';
        if (stored == computed) {
            return 0;
        }
        if (action == ChecksumAction::Fix) {
            if (!WriteTrackChecksum(track)) {
                messages.show(MessageKind::Error, "Unable to write the checksum of " + track.string());
                return 1;
            }
            out << "renewed\n";
            return 0;
        }
        messages.show(MessageKind::Error,
                      "The checksum of " + track.string() + " does not match its contents.");
        return 1;
    });
}

int runChecksums(const std::vector<std::filesystem::path>& tracks, ChecksumAction action, std::ostream& out,
                 std::ostream& err) {
    int exitCode = 0;
    for (const std::filesystem::path& track : tracks) {
        if (tracks.size() > 1) {
            out << track.string() << ":\n";
        }
        exitCode = std::max(exitCode, runChecksum(track, action, out, err));
    }
    return exitCode;
}

} // namespace vantor::cli
