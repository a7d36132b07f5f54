#include "track_info_fields.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using Lines = std::vector<std::string>;

InfoList listOf(const Lines& lines) {
    InfoList list;
    for (const auto& line : lines) {
        list.append(line);
    }
    return list;
}

const Lines Known = {"Name=N", "Country=C", "Author=A", "Laps=3"};

Lines with(Lines lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

TEST(TrackInfoFieldsTest, StoredSplitPointsShowInSignedDecimal) {
    struct Case {
        const char* name;
        Lines splits;
        std::string split1;
        std::string split2;
    };
    const Case cases[] = {
        {"prefixed and bare hexadecimal", {"Split1=0x0040", "Split2=2A"}, "64", "42"},
        {"32-bit pattern", {"Split1=0xFFFFFFFF", "Split2=0x0000"}, "-1", "0"},
        {"text in front of 0x", {"Split1=ab0x10", "Split2=0"}, "16", "0"},
        {"upper-case X", {"Split1=0X0040", "Split2=0x0001"}, "0", "0"},
        {"second fails", {"Split1=0x0040", "Split2=0xZZ"}, "0", "0"},
        {"more than eight digits", {"Split1=0x123456789", "Split2=1"}, "0", "0"},
        {"nothing after 0x", {"Split1=0x", "Split2=1"}, "0", "0"},
        {"empty value shows empty", {"Split1=", "Split2=0x10"}, "", "16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InfoList list = listOf(with(Known, c.splits));
        const TrackInfoFields fields = fieldsFromInfo(list);
        EXPECT_EQ(fields.split1, c.split1);
        EXPECT_EQ(fields.split2, c.split2);
        EXPECT_EQ(fields.name, "N");
        EXPECT_EQ(fields.country, "C");
        EXPECT_EQ(fields.author, "A");
        EXPECT_EQ(fields.laps, "3");
    }
}

TEST(TrackInfoFieldsTest, TypedSplitPointsAreStoredInHexadecimal) {
    struct Case {
        const char* name;
        std::string split1;
        std::string split2;
        std::string stored1;
        std::string stored2;
    };
    const Case cases[] = {
        {"at least four digits", "64", "42", "0x0040", "0x002A"},
        {"negative is two's complement", "-1", "0", "0xFFFFFFFF", "0x0000"},
        {"more than four digits", "70000", " 7", "0x11170", "0x0007"},
        {"hexadecimal typed", "$40", "0x2a", "0x0040", "0x002A"},
        {"trailing blank fails both", "5", "40 ", "0", "0"},
        {"empty fails both", "", "5", "0", "0"},
        {"letters fail both", "abc", "5", "0", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InfoList list = listOf(with(Known, {"Split1=0x0001", "Split2=0x0002"}));
        TrackInfoFields fields = fieldsFromInfo(list);
        fields.split1 = c.split1;
        fields.split2 = c.split2;
        applyFields(list, fields);
        EXPECT_EQ(list.lines(), with(Known, {"Split1=" + c.stored1, "Split2=" + c.stored2}));
    }
}

TEST(TrackInfoFieldsTest, AnUnchangedSaveNormalisesTheSplitPoints) {
    InfoList list = listOf({"Name=N", "Split1=0x0040", "Split2=2A", "Extra=x"});
    applyFields(list, fieldsFromInfo(list));
    EXPECT_EQ(list.lines(), (Lines{"Name=N", "Split1=0x0040", "Split2=0x002A", "Extra=x", "Laps=0"}));

    // What -1 stores reads back as -1.
    InfoList negative = listOf({"Split1=0x0000", "Split2=0x0000"});
    TrackInfoFields fields = fieldsFromInfo(negative);
    fields.split1 = "-1";
    applyFields(negative, fields);
    EXPECT_EQ(fieldsFromInfo(negative).split1, "-1");
}

TEST(TrackInfoFieldsTest, MissingKeysGetDefaultsAndEmptyFieldsDropTheirPairs) {
    InfoList list = listOf({"Name=Alpha"});
    TrackInfoFields fields = fieldsFromInfo(list);
    EXPECT_EQ(list.lines(), (Lines{"Name=Alpha", "Country=", "Author=", "Laps=0", "Split1=0", "Split2=0"}));
    EXPECT_EQ(fields.laps, "0");
    EXPECT_EQ(fields.split1, "0");
    EXPECT_EQ(fields.split2, "0");
    EXPECT_EQ(fields.country, "");

    applyFields(list, fields);
    EXPECT_EQ(list.lines(), (Lines{"Name=Alpha", "Laps=0", "Split1=0x0000", "Split2=0x0000"}));

    fields = fieldsFromInfo(list);
    fields.laps = "";
    applyFields(list, fields);
    EXPECT_EQ(list.lines(), (Lines{"Name=Alpha", "Split1=0x0000", "Split2=0x0000"}));

    // Without a name none is added.
    InfoList nameless = listOf({"Laps=2"});
    applyFields(nameless, fieldsFromInfo(nameless));
    EXPECT_FALSE(nameless.contains("Name"));
}

} // namespace
} // namespace vantor
