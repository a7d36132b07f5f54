#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vantor::testing {

// The environment variables through which the system names its temporary folder: TMPDIR, or TMP
// and TEMP on Windows.
std::vector<std::string> temporaryFolderVariables();

// Those variables all set to folder, as runProcess takes changes to the environment.
std::map<std::string, std::string> temporaryFolderEnvironment(const std::filesystem::path& folder);

// Points the system's temporary folder at another folder for as long as it lives, so that a file
// left there shows.
class TmpDirOverride {
public:
    explicit TmpDirOverride(const std::filesystem::path& folder);
    TmpDirOverride(const TmpDirOverride&) = delete;
    TmpDirOverride& operator=(const TmpDirOverride&) = delete;
    ~TmpDirOverride();

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

// Sets an environment variable of this process; no value removes it.
void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value);

} // namespace vantor::testing
