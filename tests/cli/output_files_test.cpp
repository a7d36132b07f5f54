#include "magic_file.hpp"
#include "run_cli.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

// Where the magic data file of extract and stock goes: a device, a FIFO or a link to one is written
// through and stays what it was; "-" is standard output; an input of the command is never written.

namespace vantor {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::runCli;
using testing::TempFolder;

const MagicBlock Block = testing::blockWithEntries(5, 4);
const std::string BlockText = formatMagicFile(Block, Descriptions{});
const std::string StockText =
    formatMagicFile(MagicBlock(testing::stockBytes(testing::StockRanges[2])), Descriptions{});

// A folder holding a track with custom data and a game executable.
void writeInputs(const TempFolder& folder) {
    folder.write("t.dat", testing::trackWithArea(Block.markedForm()));
    testing::writeStockExecutable(folder / "KX7_2000.EXE");
}

struct Command {
    const char* name;
    std::vector<std::string> arguments; // the output follows
    const std::string& text;
};

const Command Commands[] = {
    {"Extract", {"extract", "t.dat"}, BlockText},
    {"Stock", {"stock", "KX7_2000.EXE", "3"}, StockText},
};

std::vector<std::string> with(std::vector<std::string> arguments, const std::string& output) {
    arguments.push_back(output);
    return arguments;
}

bool isCharacterDevice(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISCHR(status.st_mode);
}

TEST(OutputFilesTest, AMinusWritesToStandardOutput) {
    for (const Command& command : Commands) {
        SCOPED_TRACE(command.name);
        TempFolder folder;
        writeInputs(folder);
        const auto result = runCli(folder, with(command.arguments, "-"));
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, command.text);
        EXPECT_FALSE(fs::exists(folder / "-"));
    }
}

// Device nodes need root; they are made inside the test's own folder, never in /dev.
TEST(OutputFilesTest, ADeviceOrALinkToOneIsWrittenThroughAndStaysADevice) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    for (const Command& command : Commands) {
        for (const bool throughLink : {false, true}) {
            SCOPED_TRACE(std::string(command.name) + (throughLink ? " through a link" : ""));
            TempFolder folder;
            writeInputs(folder);
            const auto node = folder / "null";
            ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
            fs::create_symlink(node, folder / "link.md2");

            const auto result = runCli(folder, with(command.arguments, throughLink ? "link.md2" : "null"));
            EXPECT_EQ(result.exitCode, 0) << result.err;
            EXPECT_TRUE(isCharacterDevice(node));
            EXPECT_TRUE(fs::is_symlink(folder / "link.md2"));
        }
    }
}

TEST(OutputFilesTest, AFailingDeviceIsReportedAndStaysADevice) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "making a device node needs root";
    }
    TempFolder folder;
    writeInputs(folder);
    // The "full" device: every write fails as on a full disk.
    const auto node = folder / "full";
    ASSERT_EQ(::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    const auto result = runCli(folder, {"extract", "t.dat", "full"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Error: Disk full\n");
    EXPECT_TRUE(isCharacterDevice(node));
}

TEST(OutputFilesTest, AFifoIsWrittenThroughToItsReader) {
    for (const Command& command : Commands) {
        SCOPED_TRACE(command.name);
        TempFolder folder;
        writeInputs(folder);
        const auto fifo = folder / "pipe.md2";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
        // Opened for reading and writing, the reader never waits for a writer and never sees the
        // end; it stops once the whole text is there or nothing comes for a while.
        const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        std::string received;
        std::thread reading([&] {
            pollfd wanted{reader, POLLIN, 0};
            char buffer[4096];
            while (received.size() < command.text.size() && ::poll(&wanted, 1, 5000) > 0) {
                const ssize_t got = ::read(reader, buffer, sizeof buffer);
                if (got > 0) {
                    received.append(buffer, static_cast<std::size_t>(got));
                }
            }
        });
        const auto result = runCli(folder, with(command.arguments, "pipe.md2"));
        reading.join();
        ::close(reader);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(received, command.text);
        EXPECT_TRUE(fs::is_fifo(fifo));
    }
}

TEST(OutputFilesTest, AnOutputThatIsAnInputIsRefusedAndNothingChanges) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        const char* input;
        // Makes the output from the input, where it is another name for it.
        void (*link)(const fs::path& input, const fs::path& output);
    };
    const auto none = [](const fs::path&, const fs::path&) {};
    const auto symlink = [](const fs::path& input, const fs::path& output) {
        fs::create_symlink(input, output);
    };
    const auto hardLink = [](const fs::path& input, const fs::path& output) {
        fs::create_hard_link(input, output);
    };
    const Case cases[] = {
        {"ExtractOverTheTrack", {"extract", "t.dat", "t.dat"}, "t.dat", none},
        {"ExtractOverALinkToTheTrack", {"extract", "t.dat", "link.md2"}, "t.dat", symlink},
        {"ExtractOverAHardLinkToTheTrack", {"extract", "t.dat", "hard.md2"}, "t.dat", hardLink},
        {"StockOverTheExecutable", {"stock", "KX7_2000.EXE", "3", "KX7_2000.EXE"}, "KX7_2000.EXE", none},
        {"StockOverALinkToTheExecutable",
         {"stock", "KX7_2000.EXE", "3", "link.md2"},
         "KX7_2000.EXE",
         symlink},
        {"StockOverAHardLinkToTheExecutable",
         {"stock", "KX7_2000.EXE", "3", "hard.md2"},
         "KX7_2000.EXE",
         hardLink},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeInputs(folder);
        const std::string output = c.arguments.back();
        if (output != c.input) {
            c.link(folder / c.input, folder / output);
        }
        const auto before = readBytes(folder / c.input);
        const auto names = folder.fileNames();

        const auto result = runCli(folder, c.arguments);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "Error: " + text::outputIsAnInput(output, c.input) + "\n");
        EXPECT_EQ(readBytes(folder / c.input), before);
        EXPECT_EQ(folder.fileNames(), names);
    }
}

} // namespace
} // namespace vantor
