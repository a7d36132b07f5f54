#include "file_system.hpp"

#include "error_code_of.hpp"
#include "io_error.hpp"
#include "temp_folder.hpp"

#include <gtest/gtest.h>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::errorCodeOf;
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
// reading it would be.
TEST(FileSystemTest, OnlyAMissingFileIsNotFound) {
    TempFolder folder;
    const auto file = folder.write("a.dat", std::string("x"));
    std::filesystem::create_directory(folder / "b.dat");
    EXPECT_TRUE(regularFileFound(file));
    EXPECT_FALSE(regularFileFound(folder / "missing.dat"));
    EXPECT_FALSE(regularFileFound(file / "below-a-file.dat"));
    EXPECT_EQ(errorCodeOf([&] { regularFileFound(folder / "b.dat"); }), IoError::FileAccessDenied);
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
    using std::filesystem::perms;
    std::filesystem::permissions(file, perms::owner_read | perms::owner_write | perms::group_read);
    const perms before = std::filesystem::status(file).permissions();
    replaceFile(file, bytesOf("new"));
    EXPECT_EQ(readBytes(file), bytesOf("new"));
    EXPECT_EQ(std::filesystem::status(file).permissions(), before);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"a.dat"});
}

TEST(FileSystemTest, ReplaceIntoAMissingFolderFails) {
    TempFolder folder;
    EXPECT_EQ(errorCodeOf([&] { replaceFile(folder / "no" / "a.md2", bytesOf("x")); }),
              IoError::FileNotFound);
}

} // namespace
} // namespace vantor
