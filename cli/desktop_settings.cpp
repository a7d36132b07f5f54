#include "desktop_settings.hpp"

#include "platform.hpp"
#include "settings_file.hpp"

namespace vantor::cli {

std::filesystem::path desktopSettingsFile() {
    const std::filesystem::path folder = platform::programFolder();
    if (folder.empty()) {
        return {};
    }
    return settingsFilePath(folder);
}

} // namespace vantor::cli
