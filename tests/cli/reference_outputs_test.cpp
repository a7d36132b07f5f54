// The bytes each command writes, compared with files that the Linux build wrote: the same test on
// Windows shows that a port reads and writes exactly the same bytes (no CR LF translation, no end
// at byte 1A, no lost bytes above 7F). The fixtures hold every byte value in their binary parts.
#include "run_cli.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantor {
namespace {

using testing::readBytes;
using testing::runCli;
using testing::TempFolder;

const std::filesystem::path References = VANTOR_REFERENCE_DATA;

TEST(ReferenceOutputsTest, EveryCommandWritesTheCommittedBytes) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        // The file the command writes, and the reference it must equal; "-" for standard output.
        const char* output;
        const char* reference;
    };
    const Case cases[] = {
        {"insertion", {"insert", "track.dat", "magic.md2"}, "track.dat", "inserted.dat"},
        {"extraction",
         {"extract", "track.dat", "out.md2", "--settings", "settings.ini"},
         "out.md2",
         "extracted.md2"},
        {"info save",
         {"info", "info.dat", "--laps", "7", "--split1", "-5", "--split2", "300"},
         "info.dat",
         "info-saved.dat"},
        {"info lines", {"info", "info.dat"}, "-", "info-lines.txt"},
        {"stock data",
         {"stock", "KX7_2000.EXE", "5", "--settings", "settings.ini"},
         "magic2k_05.md2",
         "stock-05.md2"},
        {"stock data to standard output",
         {"stock", "KX7_2000.EXE", "5", "-", "--settings", "settings.ini"},
         "-",
         "stock-05.md2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        for (const char* input : {"track.dat", "magic.md2", "info.dat", "settings.ini"}) {
            std::filesystem::copy_file(References / input, folder / input);
        }
        testing::writeStockExecutable(folder / "KX7_2000.EXE");
        const auto result = runCli(folder, c.arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::uint8_t> written =
            c.output == std::string("-") ? testing::bytesOf(result.out) : readBytes(folder / c.output);
        EXPECT_EQ(written, readBytes(References / c.reference));
    }
}

} // namespace
} // namespace vantor
