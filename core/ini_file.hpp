#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantor {

// A sectioned key=value text file, edited the way a person would: writing one key changes that
// line alone and leaves every other line (comments, other sections, line ends) as it was.
// Section and key names are matched without regard to case.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string text)
        : text_(std::move(text)) {}

    // A missing or unreadable file reads as empty.
    static IniFile load(const std::filesystem::path& path);

    // The value of the first matching key of the first matching section, or fallback.
    std::string read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;

    // Sets the key, adding it at the end of its section, or the section at the end of the file.
    void write(std::string_view section, std::string_view key, std::string_view value);

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The longest value the program reads from the file.
inline constexpr std::size_t MaximumIniValueLength = 2047;

} // namespace vantor
