#include "file_system.hpp"

#include "error_code_of.hpp"
#include "file_size_limit.hpp"
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

TEST(FileSystemTest, ExistenceMeansARegularFile) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("x"));
    std::filesystem::create_directory(folder / "b.dat");
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(folder / "b.dat"));
    EXPECT_FALSE(fileExists(folder / "missing.dat"));
    EXPECT_FALSE(fileExists(""));
}

// Only a missing file may be told as "File not found!"; whatever else stands there is refused as
// reading it would be, and a FIFO is never waited on.
TEST(FileSystemTest, OnlyAMissingFileIsNotFound) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("x"));
    std::filesystem::create_directory(folder / "b.dat");
    ASSERT_EQ(::mkfifo((folder / "c.dat").c_str(), 0644), 0);
    std::filesystem::create_symlink(file, folder / "link.dat");
    EXPECT_TRUE(regularFileFound(file));
    EXPECT_TRUE(regularFileFound(folder / "link.dat"));
    EXPECT_FALSE(regularFileFound(folder / "missing.dat"));
    EXPECT_FALSE(regularFileFound(file / "below-a-file.dat"));
    EXPECT_EQ(errorCodeOf([&] { regularFileFound(folder / "b.dat"); }), IoError::FileAccessDenied);
    EXPECT_EQ(errorCodeOf([&] { regularFileFound(folder / "c.dat"); }), IoError::NotARegularFile);
    EXPECT_EQ(errorCodeOf([&] { readFile(folder / "c.dat"); }), IoError::NotARegularFile);
}

TEST(FileSystemTest, SameFileSeesThroughLinks) {
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
TEST(FileSystemTest, ReplacingRefusesAFifoAndAnOutputIsWrittenThroughIt) {
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

TEST(FileSystemTest, ReadFailuresCarryTheSystemCodes) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "b.dat");
    EXPECT_EQ(errorCodeOf([&] { readFile(folder / "missing.dat"); }), IoError::FileNotFound);
    EXPECT_EQ(errorCodeOf([&] { readFile(folder / "b.dat"); }), IoError::FileAccessDenied);
}

TEST(FileSystemTest, RangeReadsGetTheWholeRangeOrFail) {
    TempFolder folder;
    const auto file = folder.write("a.exe", std::string("0123456789"));
    struct Case {
        const char* name;
        std::uint64_t offset;
        std::size_t count;
        std::string bytes; // empty with code set
        int code;
    };
    const Case cases[] = {
        {"inside", 2, 3, "234", 0},
        {"up to the end", 7, 3, "789", 0},
        {"nothing at the end", 10, 0, "", 0},
        {"one byte past the end", 8, 3, "", IoError::ReadBeyondEnd},
        {"starting past the end", 11, 1, "", IoError::ReadBeyondEnd},
        {"offset beyond any file", ~std::uint64_t{0} - 1, 4, "", IoError::ReadBeyondEnd},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> got;
        EXPECT_EQ(errorCodeOf([&] { got = readFileRange(file, c.offset, c.count); }), c.code) << c.name;
        EXPECT_EQ(got, bytesOf(c.bytes)) << c.name;
    }
    EXPECT_EQ(errorCodeOf([&] { readFileRange(folder / "missing.exe", 0, 1); }), IoError::FileNotFound);
    EXPECT_EQ(errorCodeOf([&] { readFileRange(folder.path(), 0, 1); }), IoError::FileAccessDenied);
    EXPECT_EQ(fileSize(file), 10u);
    EXPECT_EQ(errorCodeOf([&] { fileSize(folder / "missing.exe"); }), IoError::FileNotFound);
}

TEST(FileSystemTest, ReplaceKeepsPermissionsAndLeavesNoOtherFile) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("old contents"));
    ::chmod(file.c_str(), 0640);
    replaceFile(file, bytesOf("new"));
    EXPECT_EQ(readBytes(file), bytesOf("new"));
    struct stat status {};
    ::stat(file.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"a.dat"});
}

TEST(FileSystemTest, ReplaceFollowsALinkAndKeepsIt) {
    TempFolder folder;
    const auto file = folder.write("real.dat", std::string("old"));
    std::filesystem::create_symlink(file, folder / "link.dat");
    replaceFile(folder / "link.dat", bytesOf("new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.dat"));
    EXPECT_EQ(readBytes(file), bytesOf("new"));
}

TEST(FileSystemTest, FailedWriteLeavesTheOldFileAndNoNewOne) {
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

TEST(FileSystemTest, ReplaceIntoAMissingFolderFails) {
    TempFolder folder;
    EXPECT_EQ(errorCodeOf([&] { replaceFile(folder / "no" / "a.md2", bytesOf("x")); }),
              IoError::FileNotFound);
}

} // namespace
} // namespace vantor
