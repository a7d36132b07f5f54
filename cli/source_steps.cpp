#include "source_steps.hpp"

#include "desktop_settings.hpp"
#include "file_messages.hpp"
#include "file_system.hpp"
#include "io_error.hpp"
#include "platform.hpp"
#include "settings_file.hpp"
#include "texts.hpp"

#include <vector>

namespace vantor::cli {

std::optional<DescriptionSources> readDescriptionSources(const DescriptionOptions& options,
                                                         Messages& messages) {
    DescriptionSources sources;
    const bool settingsGiven = !options.settingsFile.empty();
    sources.settings =
        readSettings(settingsGiven ? options.settingsFile : desktopSettingsFile()).descriptions;
    if (settingsGiven) {
        sources.asked = sources.settings;
    }
    if (!options.descriptionsFile.empty()) {
        FileMessages fileMessages(messages, platform::utf8FromPath(options.descriptionsFile));
        if (!fileExists(options.descriptionsFile)) {
            fileMessages.show(MessageKind::Error, text::FileNotFound);
            return std::nullopt;
        }
        try {
            const std::vector<std::uint8_t> contents = readFile(options.descriptionsFile);
            if (compileMagicText(contents).outcome == MagicCompilation::Outcome::NotAMagicFile) {
                fileMessages.show(MessageKind::Error, text::NotAMagicFile);
                return std::nullopt;
            }
            sources.asked = readDescriptions(contents);
        } catch (const IoError& error) {
            fileMessages.show(MessageKind::Error, error.what());
            return std::nullopt;
        }
    }
    return sources;
}

std::optional<MagicSource> loadNamedSource(std::string_view given, Messages& messages) {
    FileMessages fileMessages(messages, std::string(given));
    const SourceNaming naming = nameSource(given);
    if (!naming.name) {
        fileMessages.show(MessageKind::Error, naming.refusal);
        return std::nullopt;
    }
    try {
        SourceLoad load = loadSource(*naming.name);
        if (!load.source) {
            fileMessages.show(MessageKind::Error, load.refusal);
        }
        return std::move(load.source);
    } catch (const IoError& error) {
        fileMessages.show(MessageKind::Error, error.what());
        return std::nullopt;
    }
}

} // namespace vantor::cli
