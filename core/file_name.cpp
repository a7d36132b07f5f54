#include "file_name.hpp"

#include "platform.hpp"

namespace vantor {

namespace {

std::size_t nameStart(std::string_view name) {
    const auto separator = name.find_last_of(platform::folderSeparators());
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string upperExtension(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart(name)) {
        return {};
    }
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return extension;
}

std::string folderPart(std::string_view name) {
    return std::string(name.substr(0, nameStart(name)));
}

} // namespace vantor
