#include "texts.hpp"

namespace vantor::text {

std::string bumpValueEndsTable(const std::string& fileName, int line) {
    return "Line " + std::to_string(line) + " of " + fileName +
           " holds the bump value 65535, which the game reads as the end of the bump table: "
           "the entries behind it would be lost. Use a value from 0 to 65534.";
}

std::string invalidTrackFile(const std::string& fileName, const std::string& finding) {
    return std::string(NotATrackFile) + "\r\n" + fileName + ": " + finding;
}

std::string invalidFileName(std::string_view name) {
    return "Invalid file name - " + std::string(name);
}

} // namespace vantor::text
