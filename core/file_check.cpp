#include "file_check.hpp"

#include "magic_file_check.hpp"
#include "magic_source.hpp"
#include "track_file_check.hpp"

namespace vantor {

std::vector<Finding> checkFileContents(std::span<const std::uint8_t> contents, const std::string& file) {
    return isMagicFileName(file) ? checkMagicText(contents, file) : checkTrackContents(contents, file);
}

} // namespace vantor
