#include "track_file.hpp"

#include "error_code_of.hpp"
#include "fifo.hpp"
#include "file_size_limit.hpp"
#include "file_system.hpp"
#include "info_block.hpp"
#include "io_error.hpp"
#include "little_endian.hpp"
#include "magic_file.hpp"
#include "platform.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "tmpdir_override.hpp"
#include "track_checksum.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace vantor {
namespace {

using testing::blockWithEntries;
using testing::errorCodeOf;
using testing::FileSizeLimit;
using testing::filler;
using testing::readBytes;
using testing::RecordingMessages;
using testing::TempFolder;
using testing::trackOf;
using testing::trackWithArea;
using testing::UnwritableFile;
using Bytes = std::vector<std::uint8_t>;

std::string magicTextOf(const MagicBlock& block) {
    return formatMagicFile(block, Descriptions{});
}

// What the compiler makes of the magic data file: the bytes the track must receive.
Bytes markedBlockOf(const std::string& magicText) {
    return compileMagicText(testing::bytesOf(magicText)).markedBlock;
}

// Each test gets its own track folder and its own temporary folder, so that a file left behind in
// either shows.
class TrackFileTest : public ::testing::Test {
protected:
    InsertResult insert(const Bytes& track, const std::string& magicText) {
        folder.write("t.dat", track);
        folder.write("m.md2", magicText);
        return InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages);
    }

    Bytes trackNow() const { return readBytes(folder / "t.dat"); }

    // Inserts while the hindrance is in place: the insertion must fail with the code and leave the
    // track as it was and no other file anywhere.
    void expectFailedInsertion(const Bytes& track, int code,
                               const std::function<std::shared_ptr<void>()>& hinder) {
        folder.write("t.dat", track);
        folder.write("m.md2", magicTextOf(blockWithEntries(3, 1)));
        int raised = 0;
        {
            const auto hindrance = hinder();
            raised = errorCodeOf(
                [&] { InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages); });
        }
        EXPECT_EQ(raised, code);
        EXPECT_EQ(trackNow(), track);
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "t.dat"}));
        EXPECT_TRUE(tmp.fileNames().empty());
    }

    TempFolder tmp;
    TempFolder folder;
    testing::TmpDirOverride tmpDir{tmp.path()};
    RecordingMessages messages;
};

struct InsertionCase {
    const char* name;
    Bytes track;
    std::size_t bumpEntries;
    std::uint32_t insertionPoint; // P
    std::uint32_t oldAreaEnd;     // E
};

void PrintTo(const InsertionCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<InsertionCase> insertionCases() {
    const Bytes plainArea = filler(40, 90);
    Bytes markerAtStart = trackOf(600, 0xFFFFFFE0, 200);
    // An area start that wrapped round 2^32 would point here.
    std::copy(MagicMarker.begin(), MagicMarker.end(), markerAtStart.begin());
    renewTrackChecksum(markerAtStart);
    return {
        {"NoCustomDataGoesBehindTheArea", trackWithArea(plainArea), 2, 140, 140},
        {"EmptyBumpTable", trackWithArea(plainArea), 0, 140, 140},
        {"CustomDataIsReplaced", trackWithArea(blockWithEntries(5, 9).markedForm()), 2, 100, 386},
        // The tail runs across several of the chunks in which the track is rewritten.
        {"TailLongerThanTwoChunks",
         trackWithArea(blockWithEntries(5, 9).markedForm(), 2 * FileChunkSize + 999), 3, 100, 386},
        {"CustomDataReplacedByAnEmptyTable", trackWithArea(blockWithEntries(1, 9).markedForm()), 0, 100, 370},
        {"EmptyArea", trackWithArea({}), 1, 100, 100},
        {"EmptyAreaInFrontOfTheChecksum", trackOf(500, 464, 464), 1, 464, 464},
        {"AreaStartAtTheChecksum", trackOf(500, 464, 100), 1, 100, 100},
        {"AreaStartAtTheEndOfTheFile", trackOf(500, 468, 60), 1, 60, 60},
        {"AreaStartFarBehindTheEnd", trackOf(500, 9000, 60), 1, 60, 60},
        {"AreaStartNearTwoToThe32", markerAtStart, 1, 200, 200},
    };
}

class InsertionTest : public TrackFileTest, public ::testing::WithParamInterface<InsertionCase> {};

TEST_P(InsertionTest, SplicesTheCompiledBlockAndKeepsEverythingElse) {
    const InsertionCase& c = GetParam();
    const std::string magic = magicTextOf(blockWithEntries(c.bumpEntries, 4));
    const Bytes block = markedBlockOf(magic);
    ASSERT_EQ(block.size(), 266 + 4 * c.bumpEntries);

    ASSERT_EQ(insert(c.track, magic), InsertResult::Inserted);
    EXPECT_TRUE(messages.shown.empty());
    const Bytes result = trackNow();

    const std::size_t cut = c.insertionPoint + 32u;
    const std::size_t tail = c.oldAreaEnd + 32u;
    ASSERT_EQ(result.size(), c.track.size() + block.size() - (tail - cut));
    EXPECT_EQ(readU32(result, 8), result.size() - 4);
    EXPECT_EQ(readU32(result, 20), c.insertionPoint);
    EXPECT_EQ(readU32(result, 24), c.insertionPoint + block.size());
    EXPECT_EQ(storedTrackChecksum(result), computeTrackChecksum(result));

    // The header words aside, the front stays, the block follows, then the tail but for its checksum.
    Bytes front(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(cut));
    Bytes oldFront(c.track.begin(), c.track.begin() + static_cast<std::ptrdiff_t>(cut));
    for (std::size_t word : {8, 20, 24}) {
        writeU32(front, word, 0);
        writeU32(oldFront, word, 0);
    }
    EXPECT_EQ(front, oldFront);
    EXPECT_EQ(Bytes(result.begin() + static_cast<std::ptrdiff_t>(cut),
                    result.begin() + static_cast<std::ptrdiff_t>(cut + block.size())),
              block);
    EXPECT_EQ(Bytes(result.end() - static_cast<std::ptrdiff_t>(c.track.size() - tail), result.end() - 4),
              Bytes(c.track.begin() + static_cast<std::ptrdiff_t>(tail), c.track.end() - 4));

    // Extraction hands back exactly what followed the marker.
    EXPECT_TRUE(trackHoldsCustomMagicData(folder / "t.dat"));
    EXPECT_EQ(readCustomMagicBlock(folder / "t.dat").bytes(), Bytes(block.begin() + 4, block.end()));

    // A second insertion of the same file replaces the block with itself.
    ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
    EXPECT_EQ(trackNow(), result);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "t.dat"}));
    EXPECT_TRUE(tmp.fileNames().empty());
}

INSTANTIATE_TEST_SUITE_P(Tracks, InsertionTest, ::testing::ValuesIn(insertionCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrackFileTest, InsertionMakesAReadOnlyTrackWritable) {
    folder.write("t.dat", trackWithArea({}));
    using std::filesystem::perms;
    std::filesystem::permissions(folder / "t.dat",
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    folder.write("m.md2", magicTextOf(blockWithEntries(1, 2)));
    ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
    EXPECT_NE(std::filesystem::status(folder / "t.dat").permissions() & perms::owner_write, perms::none);
}

TEST_F(TrackFileTest, BackupLiesBesideTheTrackWithTheExtensionBak) {
    struct Case {
        const char* track;
        const char* backup;
    };
    const Case cases[] = {{"t.dat", "t.bak"}, {"track", "track.bak"}, {"my.track.DAT", "my.track.bak"}};
    const Bytes original = trackWithArea({});
    const std::string magic = magicTextOf(blockWithEntries(1, 2));
    folder.write("m.md2", magic);
    for (const Case& c : cases) {
        folder.write(c.track, original);
        folder.write(c.backup, std::string("an older backup"));
        ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / c.track, BackupChoice::CopyToBak, messages),
                  InsertResult::Inserted)
            << c.track;
        EXPECT_EQ(readBytes(folder / c.backup), original) << c.track;
        EXPECT_NE(readBytes(folder / c.track), original) << c.track;
    }
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "my.track.DAT", "my.track.bak", "t.bak",
                                                            "t.dat", "track", "track.bak"}));
}

TEST_F(TrackFileTest, TheBackupOfATrackLongerThanAChunkIsWhole) {
    const Bytes original = trackWithArea({}, 3 * FileChunkSize + 5);
    folder.write("t.dat", original);
    folder.write("m.md2", magicTextOf(blockWithEntries(1, 2)));
    ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::CopyToBak, messages),
              InsertResult::Inserted);
    EXPECT_EQ(readBytes(folder / "t.bak"), original);
}

TEST_F(TrackFileTest, NoBackupUnlessAsked) {
    ASSERT_EQ(insert(trackWithArea({}), magicTextOf(blockWithEntries(1, 2))), InsertResult::Inserted);
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"m.md2", "t.dat"}));
}

struct RefusalCase {
    const char* name;
    std::optional<Bytes> track; // none: no track file
    std::string magic;          // empty: no magic data file
    InsertResult result;
    std::string_view message;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

std::vector<RefusalCase> refusalCases() {
    const std::string magic = magicTextOf(blockWithEntries(2, 1));
    const Bytes good = trackWithArea({});
    Bytes customBehindEnd = trackOf(800, 300, 100);
    const Bytes marked = blockWithEntries(0, 1).markedForm();
    std::copy(marked.begin(), marked.end(), customBehindEnd.begin() + 332);
    renewTrackChecksum(customBehindEnd);
    std::string endMarkInTable = magic + "65535,3\r\n";
    return {
        {"MissingMagicFile", good, "", InsertResult::FileNotFound, text::FileNotFound},
        {"MissingTrack", std::nullopt, magic, InsertResult::FileNotFound, text::FileNotFound},
        {"WrongMagicHeader", good, "[kx7 magic file]\r\n" + magic, InsertResult::Refused,
         text::NotAMagicFile},
        {"BumpValue65535", good, endMarkInTable, InsertResult::Refused, "Line "},
        {"TooShortForTheHeader", filler(27, 1), magic, InsertResult::Refused, text::NotATrackFile},
        {"AreaEndBeyondTheEnd", trackOf(500, 100, 470), magic, InsertResult::Refused, text::NotATrackFile},
        {"AreaEndInTheChecksum", trackOf(500, 100, 466), magic, InsertResult::Refused, text::NotATrackFile},
        {"AreaEndNearTwoToThe32", trackOf(500, 100, 0xFFFFFFF0), magic, InsertResult::Refused,
         text::NotATrackFile},
        {"AreaStartThreeBytesBeforeTheEnd", trackOf(500, 465, 100), magic, InsertResult::Refused,
         text::NotATrackFile},
        {"AreaStartTwoBytesBeforeTheEnd", trackOf(500, 466, 100), magic, InsertResult::Refused,
         text::NotATrackFile},
        {"CustomDataBehindTheAreaEnd", customBehindEnd, magic, InsertResult::Refused, text::NotATrackFile},
    };
}

class RefusalTest : public TrackFileTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, LeavesEveryFileAsItWas) {
    const RefusalCase& c = GetParam();
    if (c.track) {
        folder.write("t.dat", *c.track);
    }
    if (!c.magic.empty()) {
        folder.write("m.md2", c.magic);
    }
    const auto namesBefore = folder.fileNames();

    EXPECT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::CopyToBak, messages),
              c.result);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].second.substr(0, c.message.size()), c.message) << messages.shown[0].second;
    if (c.track) {
        EXPECT_EQ(trackNow(), *c.track);
    }
    EXPECT_EQ(folder.fileNames(), namesBefore);
    EXPECT_TRUE(tmp.fileNames().empty());
}

INSTANTIATE_TEST_SUITE_P(Tracks, RefusalTest, ::testing::ValuesIn(refusalCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A folder exists, so "File not found!" would be wrong: it is refused as the system refuses to read it.
TEST_F(TrackFileTest, AFolderIsNoTrackFile) {
    std::filesystem::create_directory(folder / "t.dat");
    folder.write("m.md2", magicTextOf(blockWithEntries(0, 1)));
    EXPECT_EQ(errorCodeOf(
                  [&] { InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages); }),
              IoError::FileAccessDenied);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(tmp.fileNames().empty());
}

TEST_F(TrackFileTest, FailedWriteLeavesTheTrackAndNoOtherFile) {
    expectFailedInsertion(trackWithArea({}, 8000), IoError::DiskFull,
                          [] { return std::make_shared<FileSizeLimit>(4096); });
}

TEST_F(TrackFileTest, UnwritableTrackIsRefusedUnchanged) {
    expectFailedInsertion(trackWithArea({}), IoError::FileAccessDenied,
                          [&] { return std::make_shared<UnwritableFile>(folder / "t.dat"); });
}

// The user asked for a copy: going on without one would tell them a copy exists when none does.
TEST_F(TrackFileTest, ABackupThatCannotBeWrittenStopsTheInsertion) {
    struct Case {
        const char* name;
        const char* track;
        const char* magic;
        std::function<std::shared_ptr<void>()> obstacle;
        std::string reason;
    };
    const Case cases[] = {
        {"UnwritableBackup", "t.dat", "m.md2",
         [&]() -> std::shared_ptr<void> {
             folder.write("t.bak", std::string("an older backup"));
             return std::make_shared<UnwritableFile>(folder / "t.bak");
         },
         "File access denied"},
        {"FolderInTheWay", "t.dat", "m.md2",
         [&]() -> std::shared_ptr<void> {
             std::filesystem::create_directory(folder / "t.bak");
             return nullptr;
         },
         "File access denied"},
        {"TrackIsItsOwnBackup", "t.bak", "m.md2", [] { return nullptr; }, "it is the track file itself"},
        {"MagicFileIsTheBackup", "t.dat", "t.bak", [] { return nullptr; }, "it is the magic data file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::string& name : folder.fileNames()) {
            std::filesystem::remove_all(folder / name);
        }
        const Bytes track = trackWithArea(filler(30, 3));
        folder.write(c.track, track);
        const std::string magic = magicTextOf(blockWithEntries(2, 2));
        folder.write(c.magic, magic);
        const auto obstacle = c.obstacle();
        const auto names = folder.fileNames();
        messages.shown.clear();

        EXPECT_EQ(InsertMagicFile(folder / c.magic, folder / c.track, BackupChoice::CopyToBak, messages),
                  InsertResult::BackupFailed);
        EXPECT_EQ(messages.shown,
                  (decltype(messages.shown){
                      {MessageKind::Error, text::backupFailed((folder / "t.bak").string(), c.reason)}}));
        EXPECT_EQ(readBytes(folder / c.track), track);
        EXPECT_EQ(readBytes(folder / c.magic), testing::bytesOf(magic));
        EXPECT_EQ(folder.fileNames(), names);
    }
}

TEST_F(TrackFileTest, ATrackThatIsNotARegularFileIsRefusedWithoutWaiting) {
    if (!testing::makeFifo(folder / "t.dat")) {
        GTEST_SKIP() << "no FIFOs on this system";
    }
    folder.write("m.md2", magicTextOf(blockWithEntries(2, 2)));
    try {
        InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages);
        ADD_FAILURE() << "a FIFO was taken for a track";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), IoError::NotARegularFile);
        EXPECT_EQ(error.what(),
                  (folder / "t.dat").string() + ": " + IoError::textOf(IoError::NotARegularFile));
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(std::filesystem::is_fifo(folder / "t.dat"));
}

// A failure the system's texts name keeps its text; any other gives the file, the step and the
// system's own words, never a bare number; "File not found!" is only told for a missing file.
TEST_F(TrackFileTest, FailuresTellTheFileTheStepAndTheSystemsReason) {
    const Bytes track = trackWithArea(filler(30, 3));
    const std::string magic = magicTextOf(blockWithEntries(2, 2));
    folder.write("m.md2", magic);
    folder.write("t.dat", track);
    platform::setFaultPlan({});
    ASSERT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
    const std::uint64_t calls = platform::platformCallCount();

    std::set<std::string> texts;
    for (std::uint64_t failing = 1; failing <= calls; ++failing) {
        for (const std::errc error : {std::errc::io_error, std::errc::permission_denied}) {
            folder.write("t.dat", track);
            messages.shown.clear();
            platform::setFaultPlan({failing, error});
            try {
                InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages);
            } catch (const IoError& raised) {
                texts.insert(raised.what());
            }
            platform::setFaultPlan({});
            for (const auto& [kind, text] : messages.shown) {
                EXPECT_NE(text, text::FileNotFound) << "call " << failing;
            }
        }
    }
    const std::string trackName = (folder / "t.dat").string();
    EXPECT_TRUE(texts.contains(trackName + ": cannot write the new track file: Input/output error"));
    EXPECT_TRUE(texts.contains(trackName + ": cannot look up the file: Input/output error"));
    EXPECT_TRUE(texts.contains("File access denied"));
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find("I/O error"), std::string::npos) << text;
    }
}

TEST_F(TrackFileTest, InsertionNeedsNoTemporaryFolder) {
    folder.write("t.dat", trackWithArea({}));
    folder.write("m.md2", magicTextOf(blockWithEntries(1, 1)));
    const testing::TmpDirOverride gone(tmp / "gone");
    EXPECT_EQ(InsertMagicFile(folder / "m.md2", folder / "t.dat", BackupChoice::None, messages),
              InsertResult::Inserted);
}

// The lock is taken per opening, so a second opening in this process waits as another process
// would; the rewrite that waited while the track was replaced works on the new track.
TEST_F(TrackFileTest, AnInsertionThatWaitedForTheLockWorksOnTheTrackThatReplacedTheOldOne) {
    const Bytes original = testing::trackWithAreaAndInfoBlock(filler(20, 2), "#KX7INFO|Laps|1|#");
    const auto track = folder.write("t.dat", original);
    const Bytes marked = blockWithEntries(3, 4).markedForm();
    std::atomic<bool> done = false;
    InsertResult result = InsertResult::FileNotFound;
    std::thread inserter;
    {
        LockedFile held(track);
        inserter = std::thread([&] {
            RecordingMessages own;
            result = InsertMagicBlock(marked, track, BackupChoice::None, own);
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(done) << "the insertion did not wait for the lock";
        // The lock keeps out other rewrites only: a reader still gets the whole track.
        EXPECT_EQ(readBytes(track), original);
        InfoList laps;
        laps.append("Laps=2");
        held.replace(withInfoBlock(held.read(), laps, parseInfoBlock(original)->start), "track file");
    }
    inserter.join();
    EXPECT_EQ(result, InsertResult::Inserted);
    const Bytes now = trackNow();
    EXPECT_EQ(parseInfoBlock(now)->list.value("Laps"), "2");
    EXPECT_EQ(customMagicBlock(now).bytes(), Bytes(marked.begin() + 4, marked.end()));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"t.dat"});
}

TEST_F(TrackFileTest, InsertionsAtOnceIntoTracksOfOneFolderKeepTheirOwnBlocks) {
    constexpr int Rounds = 40;
    struct Job {
        std::string track;
        std::string magic;
        Bytes expected;
        int wrong = 0;
        int failed = 0;
    };
    Job jobs[2] = {{"a.dat", "a.md2", {}}, {"b.dat", "b.md2", {}}};
    for (int i = 0; i < 2; ++i) {
        const std::string text = magicTextOf(blockWithEntries(static_cast<std::size_t>(i * 40), i + 1));
        const Bytes marked = markedBlockOf(text);
        jobs[i].expected.assign(marked.begin() + 4, marked.end());
        folder.write(jobs[i].magic, text);
        folder.write(jobs[i].track, trackWithArea({}, 20000));
    }
    auto run = [&](Job& job) {
        RecordingMessages own;
        for (int round = 0; round < Rounds; ++round) {
            try {
                InsertMagicFile(folder / job.magic, folder / job.track, BackupChoice::None, own);
                if (readCustomMagicBlock(folder / job.track).bytes() != job.expected) {
                    ++job.wrong;
                }
            } catch (const IoError&) {
                ++job.failed;
            }
        }
    };
    std::thread first(run, std::ref(jobs[0]));
    std::thread second(run, std::ref(jobs[1]));
    first.join();
    second.join();
    for (const Job& job : jobs) {
        EXPECT_EQ(job.wrong, 0) << job.track;
        EXPECT_EQ(job.failed, 0) << job.track;
    }
    EXPECT_TRUE(tmp.fileNames().empty());
}

TEST(CustomMagicDataTest, BlockEndsAtTheFirstEndMark) {
    // 1500 entries run past the first piece in which the end mark is looked for.
    for (const std::size_t entries : {std::size_t{3}, std::size_t{1500}}) {
        TempFolder folder;
        const Bytes marked = blockWithEntries(entries, 5).markedForm();
        const auto track = folder.write("t.dat", trackWithArea(marked, 5000));
        EXPECT_TRUE(trackHoldsCustomMagicData(track)) << entries;
        EXPECT_EQ(readCustomMagicBlock(track).bytes(), Bytes(marked.begin() + 4, marked.end())) << entries;

        // A bump value of 65535 reads as the end mark: the entries behind it are lost.
        Bytes stopped = marked;
        writeU16(stopped, 4 + 260 + 4 * (entries - 1) + 2, 0xFFFF);
        folder.write("t.dat", trackWithArea(stopped));
        EXPECT_EQ(readCustomMagicBlock(track).bytes().size(), 260 + 4 * entries) << entries;
    }
    TempFolder folder;
    EXPECT_FALSE(trackHoldsCustomMagicData(folder.write("t.dat", trackWithArea(filler(300, 1)))));
}

TEST(CustomMagicDataTest, ReadsPastTheEndFail) {
    Bytes noEndMark = trackWithArea(Bytes{'Q', 'Z', '0', '2'}, 4);
    noEndMark.resize(noEndMark.size() + 9001, 0);
    struct Case {
        const char* name;
        Bytes track;
        bool markerReadFails;
    };
    const Case cases[] = {
        {"ShortHeader", filler(22, 1), true},
        {"AreaStartAtTheEnd", trackOf(400, 368, 50), true},
        {"AreaStartTwoBytesBeforeTheEnd", trackOf(400, 366, 50), true},
        {"AreaStartNearTwoToThe32", trackOf(400, 0xFFFFFFE0, 50), true},
        {"NoEndMarkBeforeAnOddLastByte", noEndMark, false},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto track = folder.write("t.dat", c.track);
        EXPECT_EQ(errorCodeOf([&] { trackHoldsCustomMagicData(track); }),
                  c.markerReadFails ? IoError::ReadBeyondEnd : 0)
            << c.name;
        EXPECT_EQ(errorCodeOf([&] { readCustomMagicBlock(track); }), IoError::ReadBeyondEnd) << c.name;
    }
}

} // namespace
} // namespace vantor
