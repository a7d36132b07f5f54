#include "json_writer.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace vantor::cli {
namespace {

TEST(JsonWriterTest, EscapesEveryStringSoThatItParses) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "\"plain\""},
        {"quote \" backslash \\", "\"quote \\\" backslash \\\\\""},
        {"line\r\nend\ttab", "\"line\\r\\nend\\ttab\""},
        {std::string("nul\0bell\x07 del\x7F", 14), "\"nul\\u0000bell\\u0007 del\\u007F\""},
        {"utf-8 caf\xC3\xA9", "\"utf-8 caf\xC3\xA9\""},
        // A single-byte text is taken as Latin-1.
        {"caf\xE9 \xA3", "\"caf\xC3\xA9 \xC2\xA3\""},
        {"cut \xC3", "\"cut \xC3\x83\""},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(jsonString(text), expected);
    }
}

TEST(JsonWriterTest, PutsCommasBetweenMembersAndElementsOnly) {
    std::ostringstream out;
    JsonWriter json(out);
    json.beginObject();
    json.key("a");
    json.beginArray();
    json.value(1);
    json.null();
    json.beginArray();
    json.endArray();
    json.value(std::optional<int>(7));
    json.endArray();
    json.key("b");
    json.value("x");
    json.key("c");
    json.beginObject();
    json.endObject();
    json.endObject();
    json.finish();
    EXPECT_EQ(out.str(), "{\"a\":[1,null,[],7],\"b\":\"x\",\"c\":{}}\n");
}

} // namespace
} // namespace vantor::cli
