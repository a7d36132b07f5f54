#include "texts.hpp"

namespace vantor::text {

std::string fileNotFound(const std::string& fileName) {
    return fileName + ": " + std::string(FileNotFound);
}

std::string outputIsAnInput(const std::string& output, const std::string& input) {
    return "The output " + output + " is the same file as the input " + input +
           "; writing it would destroy what is being read. Nothing was written.";
}

std::string backupFailed(const std::string& backupName, const std::string& reason) {
    return "The backup file " + backupName + " could not be written: " + reason +
           ". The track file was not changed.";
}

std::string bumpValueEndsTable(const std::string& fileName, int line) {
    return "Line " + std::to_string(line) + " of " + fileName +
           " holds the bump value 65535, which the game reads as the end of the bump table: "
           "the entries behind it would be lost. Use a value from 0 to 65534.";
}

std::string notTheRightExecutable(std::uint64_t expectedSize) {
    return "This file doesn't appear to be the right one.\r\n\r\nVantor only works with the decrypted "
           "KX7_2000.EXE\r\n(" +
           std::to_string(expectedSize) + " bytes).";
}

std::string infoTextBreaksBlock(std::string_view text) {
    return "The info text \"" + std::string(text) +
           "\" holds a '|' or a '#', which the info block uses to separate its fields; nothing was written.";
}

std::string invalidTrackFile(const std::string& fileName, const std::string& finding) {
    return std::string(NotATrackFile) + "\r\n" + fileName + ": " + finding;
}

std::string displayUnreachable(std::string_view variable, std::string_view display) {
    return "vantor2000: cannot open the display \"" + std::string(display) + "\" (" + std::string(variable) +
           "): no desktop session answers there.";
}

std::string invalidFileName(std::string_view name) {
    return "Invalid file name - " + std::string(name);
}

} // namespace vantor::text
