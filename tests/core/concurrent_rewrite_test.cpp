#include "file_system.hpp"
#include "info_block.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "track_checksum.hpp"
#include "track_block_edit.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

// Rewrites of one track from several processes take turns under the track's lock, so no update is
// lost and no process ever sees half a track.

namespace vantor {
namespace {

using testing::readBytes;
using testing::RecordingMessages;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;

// Runs work in a child process; its result is the exit code, 99 for an exception.
pid_t inChild(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        int code = 99;
        try {
            code = work();
        } catch (const std::exception&) {
        }
        ::_exit(code);
    }
    return child;
}

int exitCodeOf(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A track that planning accepts, whose checksum holds and whose info block is found.
bool whole(const Bytes& track) {
    return planSplice(track, 0).splice && storedTrackChecksum(track) == computeTrackChecksum(track) &&
           parseInfoBlock(track).has_value();
}

Bytes markedBlock(int round) {
    return testing::blockWithEntries(static_cast<std::size_t>(round % 7), round).markedForm();
}

TEST(ConcurrentRewriteTest, TwoProcessesRewritingOneTrackKeepEveryUpdate) {
    constexpr int Rounds = 30;
    TempFolder folder;
    const auto track = folder.write(
        "t.dat", testing::trackWithAreaAndInfoBlock(testing::filler(20, 2), "#KX7INFO|Laps|0|#"));

    const pid_t inserter = inChild([&] {
        RecordingMessages messages;
        for (int round = 1; round <= Rounds; ++round) {
            if (InsertMagicBlock(markedBlock(round), track, BackupChoice::None, messages) !=
                    InsertResult::Inserted ||
                !whole(readBytes(track))) {
                return 1;
            }
        }
        return 0;
    });
    // Counts the laps up by one a save; a save refused because the block changed reads again.
    const pid_t counter = inChild([&] {
        RecordingMessages messages;
        int saved = 0;
        for (int attempt = 0; saved < Rounds && attempt < Rounds * 100; ++attempt) {
            InfoList list;
            std::uint64_t start = 0;
            if (!ReadKX7Info(track, list, start)) {
                return 2;
            }
            const InfoList read = list;
            list.setValue("Laps", std::to_string(std::stoi(list.value("Laps")) + 1));
            if (WriteKX7Info(track, read, list, messages)) {
                ++saved;
            }
            if (!whole(readBytes(track))) {
                return 1;
            }
        }
        return saved == Rounds ? 0 : 3;
    });
    EXPECT_EQ(exitCodeOf(inserter), 0);
    EXPECT_EQ(exitCodeOf(counter), 0);

    const Bytes result = readBytes(track);
    ASSERT_TRUE(whole(result));
    EXPECT_EQ(parseInfoBlock(result)->list.value("Laps"), std::to_string(Rounds));
    const Bytes last = markedBlock(Rounds);
    EXPECT_EQ(customMagicBlock(result).bytes(), Bytes(last.begin() + 4, last.end()));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});
}

// Each process counts its own value up by one a set; a set that kept a block read before the lock
// would undo the other's count.
TEST(ConcurrentRewriteTest, TwoProcessesSettingDifferentValuesKeepEveryUpdate) {
    constexpr int Rounds = 40;
    TempFolder folder;
    const auto track =
        folder.write("t.dat", testing::trackWithAreaAndInfoBlock(markedBlock(3), "#KX7INFO|Laps|0|#"));
    RecordingMessages messages;
    const ValueChange zeros[] = {{1, 0}, {2, 0}};
    ASSERT_EQ(SetTrackValues(track, zeros, std::nullopt, messages), EditResult::Changed);

    const auto counting = [&](int number) {
        return inChild([&track, number] {
            RecordingMessages messages;
            for (int round = 0; round < Rounds; ++round) {
                const ValueChange next{number, readCustomMagicBlock(track).value(number) + 1};
                if (SetTrackValues(track, {&next, 1}, std::nullopt, messages) != EditResult::Changed ||
                    !whole(readBytes(track))) {
                    return 1;
                }
            }
            return 0;
        });
    };
    const pid_t first = counting(1);
    const pid_t second = counting(2);
    EXPECT_EQ(exitCodeOf(first), 0);
    EXPECT_EQ(exitCodeOf(second), 0);

    const MagicBlock result = readCustomMagicBlock(track);
    EXPECT_EQ(result.value(1), Rounds);
    EXPECT_EQ(result.value(2), Rounds);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});
}

// A rewrite that waited for the lock while the track was replaced works on the new track, not on
// the file it first opened.
TEST(ConcurrentRewriteTest, ARewriteThatWaitedWorksOnTheTrackThatReplacedTheOldOne) {
    TempFolder folder;
    const Bytes original = testing::trackWithAreaAndInfoBlock(testing::filler(20, 2), "#KX7INFO|Laps|1|#");
    const auto track = folder.write("t.dat", original);
    const Bytes marked = markedBlock(4);

    // The child starts only once the lock is held; forked while holding it, it would share it.
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t inserter = inChild([&] {
        char byte = 0;
        if (::read(go[0], &byte, 1) != 1) {
            return 2;
        }
        RecordingMessages messages;
        return InsertMagicBlock(marked, track, BackupChoice::None, messages) == InsertResult::Inserted ? 0
                                                                                                       : 1;
    });
    {
        LockedFile held(track);
        ASSERT_EQ(::write(go[1], "x", 1), 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        int status = 0;
        EXPECT_EQ(::waitpid(inserter, &status, WNOHANG), 0) << "the insertion did not wait for the lock";

        InfoList laps;
        laps.append("Laps=2");
        held.replace(withInfoBlock(held.read(), laps, parseInfoBlock(original)->start), "track file");
    }
    ::close(go[0]);
    ::close(go[1]);
    EXPECT_EQ(exitCodeOf(inserter), 0);

    const Bytes result = readBytes(track);
    EXPECT_EQ(parseInfoBlock(result)->list.value("Laps"), "2");
    EXPECT_EQ(customMagicBlock(result).bytes(), Bytes(marked.begin() + 4, marked.end()));
}

} // namespace
} // namespace vantor
