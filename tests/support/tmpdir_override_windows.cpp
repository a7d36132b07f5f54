#include "tmpdir_override.hpp"

#include <cstdlib>

namespace vantor::testing {

std::vector<std::string> temporaryFolderVariables() {
    return {"TMP", "TEMP"};
}

void setEnvironmentVariable(const std::string& name, const std::optional<std::string>& value) {
    // An empty value removes the variable; the C runtime passes the change on to the system's copy.
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
}

} // namespace vantor::testing
