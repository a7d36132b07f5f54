#include "desktop_settings.hpp"

#include "settings_file.hpp"

namespace vantor::cli {

std::filesystem::path desktopSettingsFile() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return settingsFilePath(program.parent_path());
}

} // namespace vantor::cli
