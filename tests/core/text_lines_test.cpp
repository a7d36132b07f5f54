#include "text_lines.hpp"

#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;

std::vector<std::string> firstLines(std::string_view text, int count) {
    const auto bytes = bytesOf(text);
    TextLines lines(bytes);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) {
        result.push_back(lines.next());
    }
    return result;
}

TEST(TextLinesTest, SplitsAsTheGameToolsDo) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"CrLf", "a\r\nb\r\n", {"a", "b", ""}},
        {"CrAlone", "a\rb\r", {"a", "b", ""}},
        {"LfAloneStaysInLine", "a\nb\r\nc", {"a\nb", "c", ""}},
        {"LfAfterCrBelongsToIt", "a\r\n\nb", {"a", "\nb", ""}},
        {"EmptyLines", "\r\n\r\nx", {"", "", "x"}},
        {"EndOfFileByte",
         "a\r\nb\x1A"
         "c\r\nd\r\n",
         {"a", "b", ""}},
        {"PastTheEnd", "", {"", "", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstLines(c.text, 3), c.expected) << c.name;
    }
}

TEST(TextLinesTest, TellsTheEndAndNumbersLines) {
    const auto bytes = bytesOf("one\r\ntwo\r\n");
    TextLines lines(bytes);
    EXPECT_FALSE(lines.atEnd());
    lines.next();
    EXPECT_EQ(lines.next(), "two");
    EXPECT_EQ(lines.lineNumber(), 2);
    EXPECT_TRUE(lines.atEnd());
}

} // namespace
} // namespace vantor
