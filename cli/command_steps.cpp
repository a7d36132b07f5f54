#include "command_steps.hpp"

#include "file_system.hpp"
#include "io_error.hpp"
#include "texts.hpp"

namespace vantor::cli {

int reportingIoErrors(Messages& messages, const std::function<int()>& work) {
    try {
        return work();
    } catch (const IoError& error) {
        messages.show(MessageKind::Error, error.what());
        return 1;
    }
}

bool namedFileExists(const std::filesystem::path& path, Messages& messages) {
    if (!fileExists(path)) {
        messages.show(MessageKind::Error, text::FileNotFound);
        return false;
    }
    return true;
}

} // namespace vantor::cli
