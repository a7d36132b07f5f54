#include "output_folder.hpp"

#include "platform.hpp"
#include <string>
#include <system_error>

namespace vantor::cli {

bool createOutputFolder(const std::filesystem::path& folder, Messages& messages) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error)) {
        messages.show(
            MessageKind::Error,
            platform::utf8FromPath(folder) + ": the output folder cannot be created" +
                (error ? ": " + error.message() : std::string(": a file of that name is in the way")) + ".");
        return false;
    }
    return true;
}

} // namespace vantor::cli
