#include "check_command.hpp"

#include "command_steps.hpp"
#include "file_check.hpp"
#include "file_messages.hpp"
#include "file_system.hpp"
#include "json_writer.hpp"
#include "platform.hpp"
#include "stream_messages.hpp"
#include "texts.hpp"

#include <algorithm>

namespace vantor::cli {

namespace {

void writeText(std::ostream& out, const Finding& finding) {
    out << finding.file;
    if (finding.line) {
        out << ':' << *finding.line;
    }
    out << ": " << severityName(finding.severity) << ": " << finding.message << '\n';
}

void writeJson(JsonWriter& json, const Finding& finding) {
    json.beginObject();
    json.key("file");
    json.value(finding.file);
    json.key("line");
    json.value(finding.line);
    json.key("offset");
    json.value(finding.offset);
    json.key("severity");
    json.value(severityName(finding.severity));
    json.key("message");
    json.value(finding.message);
    json.endObject();
}

} // namespace

int runCheck(const std::vector<std::filesystem::path>& files, OutputFormat format, std::ostream& out,
             std::ostream& err) {
    StreamMessages messages(err);
    JsonWriter json(out);
    if (format == OutputFormat::Json) {
        json.beginArray();
    }
    int exitCode = 0;
    for (const std::filesystem::path& file : files) {
        FileMessages fileMessages(messages, platform::utf8FromPath(file));
        const int read = reportingIoErrors(fileMessages, [&] {
            if (!fileExists(file)) {
                fileMessages.show(MessageKind::Error, text::FileNotFound);
                return 1;
            }
            for (const Finding& finding : checkFileContents(readFile(file), platform::utf8FromPath(file))) {
                if (finding.severity != Severity::Note) {
                    exitCode = std::max(exitCode, 1);
                }
                if (format == OutputFormat::Json) {
                    writeJson(json, finding);
                } else {
                    writeText(out, finding);
                }
            }
            return 0;
        });
        if (read != 0) {
            exitCode = CheckUnreadable;
        }
    }
    if (format == OutputFormat::Json) {
        json.endArray();
        json.finish();
    }
    return exitCode;
}

} // namespace vantor::cli
