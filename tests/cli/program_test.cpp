// The tool as a whole, apart from its commands.

#include "run_cli.hpp"
#include "version.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::runCli;
using testing::TempFolder;

struct VersionCase {
    const char* name;
    std::vector<std::string> arguments;
};

void PrintTo(const VersionCase& c, std::ostream* out) {
    *out << c.name;
}

class VersionTest : public ::testing::TestWithParam<VersionCase> {};

// The version comes from the project's one definition, so that a package and its tools agree.
TEST_P(VersionTest, PrintsNameAndVersionAndDoesNothingElse) {
    TempFolder folder;
    const auto result = runCli(folder, GetParam().arguments);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "vantor2000-cli " + std::string(Version) + "\n");
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(folder.fileNames().empty());
}

INSTANTIATE_TEST_SUITE_P(Arguments, VersionTest,
                         ::testing::Values(VersionCase{"Alone", {"--version"}},
                                           VersionCase{"AfterACommand", {"stock", "--version"}},
                                           VersionCase{"BeforeACommand",
                                                       {"--version", "stock", "x.exe", "1"}}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vantor
