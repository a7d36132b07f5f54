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
    if (fileExists(beside)) {
        return beside;
    }
    return platform::userConfigFolder() / "vantor2000" / SettingsFileName;
}

Settings readSettings(const std::filesystem::path& file) {
    const IniFile ini = IniFile::load(file);
    Settings settings;
    settings.gameExePath = ini.read(ConfigSection, GameExeKey);
    settings.lastDir = ini.read(ConfigSection, LastDirKey);
    const auto descriptions = ini.section(DescriptionsSection);
    for (int k = 1; k <= MagicValueCount; ++k) {
        const auto found = descriptions.find("desc" + std::to_string(k));
        if (found != descriptions.end()) {
            settings.descriptions[static_cast<std::size_t>(k - 1)] =
                found->second.substr(0, MaximumDescriptionLength);
        }
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
            ini = IniFile::fromBytes(readFile(file));
        }
        // A file that already holds both values is left alone: no write, no flush.
        if (ini.find(ConfigSection, GameExeKey) == gameExePath &&
            ini.find(ConfigSection, LastDirKey) == lastDir) {
            return;
        }
        ini.write(ConfigSection, GameExeKey, gameExePath);
        ini.write(ConfigSection, LastDirKey, lastDir);
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        replaceFile(file, ini.toBytes());
    } catch (const IoError&) {
        throw SettingsWriteError(file);
    }
}

} // namespace vantor
