#include "checksum_command.hpp"

#include "command_steps.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "messages.hpp"
#include "platform.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"
#include "track_checksum.hpp"

#include <cstdio>
#include <string>

namespace vantor::cli {

namespace {

std::string hexBytes(const TrackChecksum& checksum) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X", checksum.byteSum & 0xFF, checksum.byteSum >> 8,
                  checksum.rotatingSum & 0xFF, checksum.rotatingSum >> 8);
    return text;
}

} // namespace

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
            messages.show(MessageKind::Error, platform::utf8FromPath(track) + " is " +
                                                  std::to_string(contents.size()) +
                                                  " bytes long; a track file holds at least 5 bytes.");
            return 1;
        }
        const TrackChecksum stored = storedTrackChecksum(contents);
        const TrackChecksum computed = computeTrackChecksum(contents);
        out << "stored:   " << hexBytes(stored) << '\n' << "computed: " << hexBytes(computed) << '\n';
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

} // namespace vantor::cli
