#include "file_name.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

struct NameCase {
    const char* name;
    const char* extension;
    const char* folder;
};

class FileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameTest, SplitsExtensionAndFolder) {
    const NameCase& c = GetParam();
    EXPECT_EQ(upperExtension(c.name), c.extension);
    EXPECT_EQ(folderPart(c.name), c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameTest,
    ::testing::Values(NameCase{"/tracks/monza.dat", ".DAT", "/tracks/"}, NameCase{"Monza.DaT", ".DAT", ""},
                      NameCase{"/t/a.md2", ".MD2", "/t/"}, NameCase{"/t.d/readme", "", "/t.d/"},
                      NameCase{"/t/archive.tar.Md", ".MD", "/t/"}, NameCase{"/t/trailing.", ".", "/t/"},
                      NameCase{"/t/.hidden", ".HIDDEN", "/t/"}, NameCase{"/", "", "/"}, NameCase{"", "", ""},
                      // Only a to z are upper-cased: other bytes stay as they are.
                      NameCase{"/t/a.d\xE4t", ".D\xE4T", "/t/"}));

} // namespace
} // namespace vantor
