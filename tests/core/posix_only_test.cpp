// What only POSIX systems have, or only there a test can make: FIFOs, symbolic links without a
// privilege, and a per-process file size limit. Left out of the Windows build.
#include "error_code_of.hpp"
#include "file_size_limit.hpp"
#include "file_system.hpp"
#include "game_executable.hpp"
#include "io_error.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::errorCodeOf;
using testing::FileSizeLimit;
using testing::readBytes;
using testing::TempFolder;

// A FIFO is never waited on, and whatever stands where a file is looked for is refused as
// reading it would be; a link is followed.
TEST(FileSystemPosixTest, AFifoIsNoRegularFileAndALinkLeadsToOne) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("x"));
    ASSERT_EQ(::mkfifo((folder / "c.dat").c_str(), 0644), 0);
    std::filesystem::create_symlink(file, folder / "link.dat");
    EXPECT_TRUE(regularFileFound(folder / "link.dat"));
    EXPECT_EQ(errorCodeOf([&] { regularFileFound(folder / "c.dat"); }), IoError::NotARegularFile);
    EXPECT_EQ(errorCodeOf([&] { readFile(folder / "c.dat"); }), IoError::NotARegularFile);
}

TEST(FileSystemPosixTest, SameFileSeesThroughLinks) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("x"));
    folder.write("b.dat", std::string("x"));
    std::filesystem::create_symlink(file, folder / "link.dat");
    std::filesystem::create_hard_link(file, folder / "hard.dat");
    EXPECT_TRUE(sameFile(file, file));
    EXPECT_TRUE(sameFile(folder / "link.dat", file));
    EXPECT_TRUE(sameFile(folder / "hard.dat", folder / "link.dat"));
    EXPECT_FALSE(sameFile(folder / "b.dat", file));
    EXPECT_FALSE(sameFile(folder / "missing.dat", folder / "missing.dat"));
}

// Renaming a new file over a FIFO (or a device) would break whatever uses it.
TEST(FileSystemPosixTest, ReplacingRefusesAFifoAndAnOutputIsWrittenThroughIt) {
    TempFolder folder;
    const auto fifo = folder / "pipe.md2";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(errorCodeOf([&] { replaceFile(fifo, bytesOf("new")); }), IoError::NotARegularFile);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // Opened for reading and writing, the test's end of the FIFO lets the write go through at once.
    const int reader = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writeOutputFile(fifo, bytesOf("through"));
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 7);
    ::close(reader);
    EXPECT_EQ(std::string(buffer), "through");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"pipe.md2"});
}

TEST(FileSystemPosixTest, ReplaceFollowsALinkAndKeepsIt) {
    TempFolder folder;
    const auto file = folder.write("real.dat", std::string("old"));
    std::filesystem::create_symlink(file, folder / "link.dat");
    replaceFile(folder / "link.dat", bytesOf("new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.dat"));
    EXPECT_EQ(readBytes(file), bytesOf("new"));
}

TEST(FileSystemPosixTest, FailedWriteLeavesTheOldFileAndNoNewOne) {
    TempFolder folder;
    const std::string old(1000, 'o');
    const auto file = folder.write("a.dat", old);
    const std::vector<std::uint8_t> larger(64 * 1024, 'n');
    int code = 0;
    {
        FileSizeLimit limit(4096);
        code = errorCodeOf([&] { replaceFile(file, larger); });
    }
    EXPECT_EQ(code, IoError::DiskFull);
    EXPECT_EQ(readBytes(file), bytesOf(old));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"a.dat"});
}

TEST(GameExecutableTest, AnExecutableThatIsNotARegularFileIsRefusedWithoutWaiting) {
    TempFolder folder;
    const auto exe = folder / "KX7_2000.EXE";
    ASSERT_EQ(::mkfifo(exe.c_str(), 0644), 0);
    EXPECT_EQ(errorCodeOf([&] { ReadStockBlock(exe, 1); }), IoError::NotARegularFile);
    EXPECT_TRUE(std::filesystem::is_fifo(exe));
}

} // namespace
} // namespace vantor
