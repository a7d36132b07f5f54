#include "pad_string.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(PadStringTest, PadsShortTextOnTheChosenSide) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* fill;
        PadSide side;
        const char* expected;
    };
    const Case cases[] = {
        {"0", 10, " ", PadSide::Right, "0         "},
        {"7", 2, "0", PadSide::Left, "07"},
        {"17", 2, "0", PadSide::Left, "17"},
        {"-2147483648", 10, " ", PadSide::Right, "-2147483648"},
        {"ab", 4, "", PadSide::Right, "ab  "},
        {"ab", 4, "xyz", PadSide::Left, "xxab"},
        {"", 0, " ", PadSide::Right, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PadString(c.text, c.width, c.fill, c.side), c.expected) << c.text << " to " << c.width;
    }
}

} // namespace
} // namespace vantor
