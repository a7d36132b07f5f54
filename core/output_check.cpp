#include "output_check.hpp"

#include "file_system.hpp"
#include "texts.hpp"

namespace vantor {

bool outputIsInput(const std::filesystem::path& output, const std::filesystem::path& input,
                   Messages& messages) {
    if (!sameFile(output, input)) {
        return false;
    }
    messages.show(MessageKind::Error, text::outputIsAnInput(output.string(), input.string()));
    return true;
}

} // namespace vantor
