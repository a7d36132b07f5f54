#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// A sectioned key=value text file, edited the way a person would: writing one key changes that
// line alone and leaves every other line (comments, other sections, line ends) as it was, and the
// file keeps its encoding. Section and key names are matched without regard to case.
class IniFile {
public:
    // How the file's bytes hold its text. Files without a byte order mark are taken byte for byte.
    enum class Encoding {
        Bytes,
        Utf8WithBom,
        Utf16LeWithBom,
    };

    IniFile() = default;
    explicit IniFile(std::string text, Encoding encoding = Encoding::Bytes)
        : text_(std::move(text))
        , encoding_(encoding) {}

    // Reads a file's bytes as the platform's settings functions do: a UTF-8 byte order mark is
    // skipped, and UTF-16 LE with its byte order mark is converted to UTF-8.
    static IniFile fromBytes(std::span<const std::uint8_t> bytes);
    // The file's bytes, in the encoding it was read in.
    std::vector<std::uint8_t> toBytes() const;

    // A missing or unreadable file reads as empty.
    static IniFile load(const std::filesystem::path& path);

    // The value of the first matching key of the first matching section, if there is one.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    // The same, or fallback.
    std::string read(std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    // Every key of the first matching section, in lower case (A to Z only), with the value read()
    // gives for it: many keys in one pass over the file.
    std::map<std::string, std::string> section(std::string_view name) const;

    // Sets the key, adding it at the end of its section, or the section at the end of the file.
    void write(std::string_view section, std::string_view key, std::string_view value);

    // The text, in UTF-8 when the file holds Unicode.
    const std::string& text() const { return text_; }

private:
    std::string text_;
    Encoding encoding_ = Encoding::Bytes;
};

// The longest value the program reads from the file.
inline constexpr std::size_t MaximumIniValueLength = 2047;

} // namespace vantor
