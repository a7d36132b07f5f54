#include "tmpdir_override.hpp"

#include "platform.hpp"

#include <cstdlib>

namespace vantor::testing {

std::map<std::string, std::string> temporaryFolderEnvironment(const std::filesystem::path& folder) {
    std::map<std::string, std::string> environment;
    for (const std::string& name : temporaryFolderVariables()) {
        environment[name] = platform::utf8FromPath(folder);
    }
    return environment;
}

TmpDirOverride::TmpDirOverride(const std::filesystem::path& folder) {
    for (const auto& [name, value] : temporaryFolderEnvironment(folder)) {
        const char* old = std::getenv(name.c_str());
        saved_[name] = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
        setEnvironmentVariable(name, value);
    }
}

TmpDirOverride::~TmpDirOverride() {
    for (const auto& [name, value] : saved_) {
        setEnvironmentVariable(name, value);
    }
}

} // namespace vantor::testing
