#include "utf16_le.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace vantor {
namespace {

using namespace std::string_view_literals;

std::vector<std::uint8_t> bytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

// What a path or value written into a "Unicode" settings file becomes, and back.
TEST(Utf16LeTest, ConvertsUtf8AndReplacesWhatIsNoCharacter) {
    struct Case {
        const char* name;
        std::string_view utf8;
        std::string_view utf16;
        std::string_view utf8Back; // what reading the UTF-16 gives
    };
    const Case cases[] = {
        {"ascii", "a=/b/", "a\0=\0/\0b\0/\0"sv, "a=/b/"},
        {"two and three bytes", "\xC3\xA9\xE2\x82\xAC", "\xE9\0\xAC\x20"sv, "\xC3\xA9\xE2\x82\xAC"},
        {"four bytes make a surrogate pair", "\xF0\x9F\x98\x80", "\x3D\xD8\x00\xDE"sv, "\xF0\x9F\x98\x80"},
        {"stray continuation byte", "a\x80z", "a\0\xFD\xFFz\0"sv, "a\xEF\xBF\xBDz"},
        {"overlong slash", "\xC0\xAF", "\xFD\xFF\xFD\xFF"sv, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"cut short at the end", "a\xE2\x82", "a\0\xFD\xFF\xFD\xFF"sv, "a\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"encoded surrogate", "\xED\xA0\x80", "\xFD\xFF\xFD\xFF\xFD\xFF"sv,
         "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"Latin-1 byte", "\xE4", "\xFD\xFF"sv, "\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(utf16LeFromUtf8(c.utf8), bytesOf(c.utf16)) << c.name;
        EXPECT_EQ(utf8FromUtf16Le(bytesOf(c.utf16)), c.utf8Back) << c.name;
    }
}

} // namespace
} // namespace vantor
