#include "command_steps.hpp"

#include "file_system.hpp"
#include "io_error.hpp"
#include "output_check.hpp"
#include "platform.hpp"
#include "texts.hpp"

#include <string>

namespace vantor::cli {

int reportingIoErrors(Messages& messages, const std::function<int()>& work) {
    try {
        return work();
    } catch (const IoError& error) {
        messages.show(MessageKind::Error, error.what());
        return 1;
    }
}

bool namedFileFound(const std::filesystem::path& path, Messages& messages) {
    if (!regularFileFound(path)) {
        messages.show(MessageKind::Error, text::fileNotFound(platform::utf8FromPath(path)));
        return false;
    }
    return true;
}

int writeMagicOutput(const MagicBlock& block, const Descriptions& descriptions,
                     const std::filesystem::path& output, const std::filesystem::path& input,
                     Messages& messages) {
    if (output == "-") {
        const std::string text = formatMagicFile(block, descriptions);
        writeStandardOutput(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
        return 0;
    }
    if (outputIsInput(output, input, messages)) {
        return 1;
    }
    WriteMagicFile(block, descriptions, output);
    return 0;
}

} // namespace vantor::cli
