#include "tmpdir_override.hpp"

#include <cstdlib>

namespace vantor::testing {

std::vector<std::string> temporaryFolderVariables() {
    return {"TMPDIR"};
}

void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

} // namespace vantor::testing
