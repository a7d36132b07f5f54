#pragma once

#include <string>
#include <string_view>

namespace vantor {

// The extension of a file name: the text from the last "." behind the last folder separator, dot
// included, with the letters a to z upper-cased; empty when the name has no such dot.
std::string upperExtension(std::string_view name);

// The folder part of a file name up to and including its last folder separator; empty when the
// name has none.
std::string folderPart(std::string_view name);

} // namespace vantor
