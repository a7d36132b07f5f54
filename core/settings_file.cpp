#include "settings_file.hpp"

#include "file_system.hpp"
#include "ini_file.hpp"
#include "io_error.hpp"
#include "platform.hpp"

namespace vantor {

namespace {

constexpr std::string_view ConfigSection = "config";
constexpr std::string_view DescriptionsSection = "descriptions";
constexpr std::string_view GameExeKey = "kx72000exe";
constexpr std::string_view LastDirKey = "lastdir";

} // namespace

SettingsWriteError::SettingsWriteError(const std::filesystem::path& file)
    : std::runtime_error("Unable to write to " + platform::utf8FromPath(file)) {}

std::filesystem::path settingsFilePath(const std::filesystem::path& programFolder) {
    const auto beside = programFolder / SettingsFileName;
    if (fileExists(beside) || platform::mayWrite(programFolder)) {
        return beside;
    }
    return platform::userConfigFolder() / "vantor2000" / SettingsFileName;
}

Settings readSettings(const std::filesystem::path& file) {
    const IniFile ini = IniFile::load(file);
    Settings settings;
    settings.gameExePath = ini.read(ConfigSection, GameExeKey);
    settings.lastDir = ini.read(ConfigSection, LastDirKey);
    for (int k = 1; k <= MagicValueCount; ++k) {
        std::string description = ini.read(DescriptionsSection, "desc" + std::to_string(k));
        description.resize(std::min(description.size(), MaximumDescriptionLength));
        settings.descriptions[static_cast<std::size_t>(k - 1)] = std::move(description);
    }
    return settings;
}

void writeSettings(const std::filesystem::path& file, std::string_view gameExePath,
                   std::string_view lastDir) {
    try {
        // A file that exists but can't be read must not be rewritten from nothing: every line the
        // write does not set (the descriptions) would be lost.
        IniFile ini;
        if (regularFileFound(file)) {
            const auto bytes = readFile(file);
            ini = IniFile(std::string(bytes.begin(), bytes.end()));
        }
        ini.write(ConfigSection, GameExeKey, gameExePath);
        ini.write(ConfigSection, LastDirKey, lastDir);
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        const std::string& text = ini.text();
        replaceFile(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    } catch (const IoError&) {
        throw SettingsWriteError(file);
    }
}

} // namespace vantor
