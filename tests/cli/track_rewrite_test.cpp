#include "file_system.hpp"
#include "info_block.hpp"
#include "magic_file.hpp"
#include "run_cli.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// How the tool's rewrites of a track end when something gets in their way: a signal, another
// writer, a backup that can't be made. Each must say so, and leave the track whole and nothing else.

namespace vantor {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::runCli;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

const std::string Magic = formatMagicFile(testing::blockWithEntries(3, 7), Descriptions{});

// The tool started in the folder without waiting for it, its standard error kept in a pipe.
struct StartedCli {
    pid_t pid = 0;
    int err = -1;

    // Waits for the end; the exit status as waitpid gives it.
    int wait(std::string& errText) const {
        char buffer[256];
        for (ssize_t got; (got = ::read(err, buffer, sizeof buffer)) > 0;) {
            errText.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(err);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }
};

StartedCli startCli(const TempFolder& folder, const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(VANTOR_CLI_PATH)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    int err[2];
    if (::pipe(err) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], STDERR_FILENO);
        if (::chdir(folder.path().c_str()) == 0) {
            ::execv(VANTOR_CLI_PATH, argv.data());
        }
        ::_exit(127);
    }
    ::close(err[1]);
    return {child, err[0]};
}

bool signalled(int status, int signal) {
    return WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

// True once some process waits for the lock of the file: /proc/locks lists waiters with "->".
bool someoneWaitsForTheLockOf(const fs::path& file) {
    struct stat status {};
    ::stat(file.c_str(), &status);
    const std::string inode = ":" + std::to_string(status.st_ino) + " ";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);) {
            if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

TEST(TrackRewriteTest, ASignalDuringAnInsertionLeavesNothingBehind) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        TempFolder folder;
        // Large enough that the new track takes a while to write and flush.
        const Bytes original = testing::trackWithArea({}, 16 << 20);
        folder.write("t.dat", original);
        folder.write("m.md2", Magic);

        const StartedCli cli = startCli(folder, {"insert", "t.dat", "m.md2"});
        bool seen = false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!seen && std::chrono::steady_clock::now() < deadline) {
            for (const auto& entry : fs::directory_iterator(folder.path())) {
                seen = seen || entry.path().filename().string().starts_with(".t.dat.");
            }
        }
        ::kill(cli.pid, signal);
        std::string err;
        const int status = cli.wait(err);
        ASSERT_TRUE(seen) << "the new track file never showed";
        ASSERT_TRUE(signalled(status, signal)) << "the insertion ended before the signal came";

        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "t.dat"}));
        EXPECT_EQ(fileSize(folder / "t.dat"), original.size());
    }
}

// The command read the block, then waited for the lock while another save changed it: its save
// would undo that change, so it is refused and the tool fails.
TEST(TrackRewriteTest, AnInfoSaveWhoseBlockChangedMeanwhileFails) {
    TempFolder folder;
    const auto track = folder.write("t.dat", testing::trackWithInfoBlock("#KX7INFO|Name|Alpha|Laps|53|#"));
    Bytes changed;
    StartedCli cli;
    {
        LockedFile held(track);
        cli = startCli(folder, {"info", "t.dat", "--laps", "9"});
        EXPECT_TRUE(someoneWaitsForTheLockOf(track));
        const Bytes contents = held.read();
        InfoList laps;
        laps.append("Name=Alpha");
        laps.append("Laps=60");
        changed = withInfoBlock(contents, laps, parseInfoBlock(contents)->start);
        held.replace(changed, "track file");
    }
    std::string err;
    const int status = cli.wait(err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_EQ(err, "Error: " + std::string(text::InfoBlockChanged) + "\n");
    EXPECT_EQ(readBytes(track), changed);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});

    const auto shown = runCli(folder, {"info", "t.dat"});
    EXPECT_EQ(shown.out, "Name=Alpha\nLaps=60\n");
}

// The command waited for the lock while another writer changed a different value: the block it
// changes is the one it reads under the lock, so both changes survive.
TEST(TrackRewriteTest, ASetThatWaitedKeepsTheChangeMadeMeanwhile) {
    TempFolder folder;
    const MagicBlock original = testing::blockWithEntries(3, 7);
    const auto track =
        folder.write("t.dat", testing::trackWithAreaAndInfoBlock(original.markedForm(), "#KX7INFO|Laps|5|#"));
    const std::int32_t mine = original.value(3) + 1;
    const std::int32_t theirs = original.value(4) + 1;
    StartedCli cli;
    {
        LockedFile held(track);
        cli = startCli(folder, {"set", "t.dat", "3=" + std::to_string(mine)});
        EXPECT_TRUE(someoneWaitsForTheLockOf(track));
        const Bytes contents = held.read();
        MagicBlock changed = customMagicBlock(contents);
        changed.setValue(4, theirs);
        const Bytes marked = changed.markedForm();
        held.replace(spliced(contents, marked, *planSplice(contents, marked.size()).splice), "track file");
    }
    std::string err;
    const int status = cli.wait(err);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err;

    const MagicBlock result = readCustomMagicBlock(track);
    EXPECT_EQ(result.value(3), mine);
    EXPECT_EQ(result.value(4), theirs);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});
}

TEST(TrackRewriteTest, AnInsertionWhoseBackupFailsFailsAndChangesNothing) {
    TempFolder folder;
    const Bytes original = testing::trackWithArea(testing::filler(30, 1));
    folder.write("t.dat", original);
    folder.write("t.bak", std::string("an older backup"));
    folder.write("m.md2", Magic);
    testing::ProcessResult result;
    {
        testing::UnwritableFile unwritable(folder / "t.bak");
        result = runCli(folder, {"insert", "t.dat", "m.md2", "--backup"});
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Error: " + text::backupFailed("t.bak", "File access denied") + "\n");
    EXPECT_EQ(readBytes(folder / "t.dat"), original);
    EXPECT_EQ(readBytes(folder / "t.bak"), testing::bytesOf("an older backup"));
}

} // namespace
} // namespace vantor
