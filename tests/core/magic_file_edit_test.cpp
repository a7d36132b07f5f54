#include "magic_file_edit.hpp"

#include "magic_file.hpp"
#include "magic_text_fixture.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::magicText;
using testing::readBytes;

// A file as the writer makes it, with a description on every line.
std::string describedFile() {
    std::vector<std::pair<int, std::string>> lines;
    for (int k = 1; k <= MagicValueCount; ++k) {
        lines.emplace_back(k, "0         ; description " + std::to_string(k));
    }
    return magicText(lines, {"1200,37", "5,6"});
}

MagicBlock compiled(const std::vector<std::uint8_t>& text) {
    return bareBlockOf(compileMagicText(text).markedBlock);
}

std::string textOf(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

struct SetCase {
    int number;
    std::int64_t value;
};

TEST(MagicFileEditTest, ReplacesOnlyTheNumberInEachEncoding) {
    const SetCase cases[] = {{1, -151},       {30, 104}, {35, 255}, {40, 65535},
                             {25, INT32_MIN}, {90, -5},  {130, 7}};
    const std::string original = describedFile();
    for (const SetCase& c : cases) {
        const ValueChange change{c.number, c.value};
        const MagicTextEdit edit = editMagicText(bytesOf(original), "car.md2", {&change, 1}, std::nullopt);
        ASSERT_TRUE(edit.text) << edit.refusal;
        EXPECT_EQ(compiled(*edit.text).value(c.number), c.value);
        std::string expected = original;
        const std::string line = "0         ; description " + std::to_string(c.number) + "\r\n";
        expected.replace(expected.find(line), 1, std::to_string(c.value));
        EXPECT_EQ(textOf(*edit.text), expected) << "value " << c.number;
    }
}

TEST(MagicFileEditTest, RefusesWhatItsEncodingCannotHold) {
    const SetCase cases[] = {{7, 120},    {7, -152},          {35, 256}, {40, -1},
                             {40, 65536}, {25, 2147483648LL}, {0, 1},    {131, 1}};
    for (const SetCase& c : cases) {
        const ValueChange change{c.number, c.value};
        const MagicTextEdit edit =
            editMagicText(bytesOf(describedFile()), "car.md2", {&change, 1}, std::nullopt);
        EXPECT_FALSE(edit.text) << c.number << " = " << c.value;
    }
    const ValueChange change{7, 120};
    EXPECT_EQ(editMagicText(bytesOf(describedFile()), "car.md2", {&change, 1}, std::nullopt).refusal,
              "value 7 = 120 is outside -151 to 104, the range of a biased byte");
}

TEST(MagicFileEditTest, KeepsWhatSurroundsTheNumberOnAnUntidyLine) {
    const std::string original =
        magicText({{3, "  12abc\t ; grip; more"}, {4, "no semicolon"}, {5, "  ; empty"}});
    const std::vector<ValueChange> changes = {{3, 5}, {4, 6}, {5, 7}};
    const MagicTextEdit edit = editMagicText(bytesOf(original), "car.md2", changes, std::nullopt);
    ASSERT_TRUE(edit.text) << edit.refusal;
    const std::string text = textOf(*edit.text);
    EXPECT_NE(text.find("\r\n  5\t ; grip; more\r\n6; no semicolon\r\n7  ; empty\r\n"), std::string::npos);
}

TEST(MagicFileEditTest, ReplacesTheBumpLinesAndKeepsWhatFollowsTheEndOfTheText) {
    const std::string original = describedFile();
    const std::vector<BumpEntry> entries = {{1, 2}, {300, 400}, {0, 0}};
    const MagicTextEdit edit =
        editMagicText(bytesOf(original + "\x1A trailer"), "car.md2", {}, std::optional(entries));
    ASSERT_TRUE(edit.text) << edit.refusal;
    const std::string head = original.substr(0, original.find("1200,37"));
    EXPECT_EQ(textOf(*edit.text), head + "1,2\r\n300,400\r\n0,0\r\n\x1A trailer");
}

TEST(MagicFileEditTest, RefusesAnEditThatWouldNotReadBack) {
    // Without the empty line behind "[bumptable]" the first new bump line would be skipped.
    std::string shortened = magicText({});
    shortened.resize(shortened.size() - 2);
    const std::vector<BumpEntry> entries = {{1, 2}};
    EXPECT_FALSE(editMagicText(bytesOf(shortened), "car.md2", {}, std::optional(entries)).text);

    std::string cutShort = magicText({});
    cutShort.resize(25 + 14 * 99);
    const ValueChange late{120, 1};
    EXPECT_EQ(editMagicText(bytesOf(cutShort), "car.md2", {&late, 1}, std::nullopt).refusal,
              "the file ends before the line of value 120");
}

TEST(MagicFileEditTest, RefusalsLeaveTheFileAsItWas) {
    const testing::TempFolder folder;
    const auto file = folder.write("car.md2", describedFile());
    const auto wrong = folder.write("wrong.md2", "[KX7-2000 magic file]\r\n");
    testing::RecordingMessages messages;
    const ValueChange outOfRange{7, 120};
    EXPECT_EQ(SetMagicFileValues(file, {&outOfRange, 1}, std::nullopt, messages), EditResult::Refused);
    const ValueChange fine{7, 12};
    EXPECT_EQ(SetMagicFileValues(wrong, {&fine, 1}, std::nullopt, messages), EditResult::Refused);
    EXPECT_EQ(SetMagicFileValues(folder / "missing.md2", {&fine, 1}, std::nullopt, messages),
              EditResult::FileNotFound);
    EXPECT_EQ(readBytes(file), bytesOf(describedFile()));
    EXPECT_EQ(readBytes(wrong), bytesOf("[KX7-2000 magic file]\r\n"));
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[1].second, text::NotAMagicFile);
    EXPECT_EQ(messages.shown[2].second, text::FileNotFound);

    EXPECT_EQ(SetMagicFileValues(file, {&fine, 1}, std::nullopt, messages), EditResult::Changed);
    EXPECT_EQ(compiled(readBytes(file)).value(7), 12);
}

} // namespace
} // namespace vantor
