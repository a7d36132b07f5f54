#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& path() const { return path_; }
    // Names are UTF-8, on every system.
    std::filesystem::path operator/(std::string_view name) const;

    std::filesystem::path write(std::string_view name, std::string_view contents) const;
    std::filesystem::path write(std::string_view name, const std::vector<std::uint8_t>& contents) const;
    // The names of the files in the folder, in UTF-8, sorted.
    std::vector<std::string> fileNames() const;

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> bytesOf(std::string_view text);
std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);

} // namespace vantor::testing
