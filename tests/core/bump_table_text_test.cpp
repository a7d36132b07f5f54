#include "bump_table_text.hpp"

#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

struct BumpTextCase {
    const char* name;
    std::string text;
    std::optional<std::vector<BumpEntry>> entries;
};

class BumpTableTextTest : public ::testing::TestWithParam<BumpTextCase> {};

TEST_P(BumpTableTextTest, ReadsFirstSecondLinesStrictly) {
    const BumpTableText parsed = parseBumpTableText(testing::bytesOf(GetParam().text));
    EXPECT_EQ(parsed.entries, GetParam().entries);
    EXPECT_EQ(parsed.refusal.empty(), GetParam().entries.has_value()) << parsed.refusal;
}

using Entries = std::vector<BumpEntry>;

INSTANTIATE_TEST_SUITE_P(
    Texts, BumpTableTextTest,
    ::testing::Values(BumpTextCase{"LineFeeds", "1200,37\n0,0\n", Entries{{1200, 37}, {0, 0}}},
                      BumpTextCase{"CarriageReturnLineFeeds", "1,2\r\n3,4", Entries{{1, 2}, {3, 4}}},
                      BumpTextCase{"BlankLinesSkipped", "\n1,2\n   \n\n", Entries{{1, 2}}},
                      BumpTextCase{"SpacesAroundNumbers", " 12 , 34 \n", Entries{{12, 34}}},
                      BumpTextCase{"Hexadecimal", "$FF,0x10\n", Entries{{255, 16}}},
                      BumpTextCase{"Empty", "", Entries{}},
                      BumpTextCase{"EndMarkValue", "65535,0\n", std::nullopt},
                      BumpTextCase{"Negative", "1,-1\n", std::nullopt},
                      BumpTextCase{"NoComma", "12\n", std::nullopt},
                      BumpTextCase{"ThreeNumbers", "1,2,3\n", std::nullopt},
                      BumpTextCase{"Letters", "1,2x\n", std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(BumpTableTextTest, RefusalNamesTheLine) {
    EXPECT_EQ(parseBumpTableText(testing::bytesOf("1,2\n\n3;4\n")).refusal,
              "line 3 \"3;4\" is not FIRST,SECOND with two whole numbers from 0 to 65534");
}

} // namespace
} // namespace vantor
