#include "output_check.hpp"

#include "file_system.hpp"
#include "platform.hpp"
#include "texts.hpp"

namespace vantor {

bool outputIsInput(const std::filesystem::path& output, const std::filesystem::path& input,
                   Messages& messages) {
    if (!sameFile(output, input)) {
        return false;
    }
    messages.show(MessageKind::Error,
                  text::outputIsAnInput(platform::utf8FromPath(output), platform::utf8FromPath(input)));
    return true;
}

} // namespace vantor
