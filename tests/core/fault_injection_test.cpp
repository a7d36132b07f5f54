#include "platform.hpp"

#include "file_system.hpp"
#include "game_executable.hpp"
#include "info_block.hpp"
#include "magic_file.hpp"
#include "output_check.hpp"
#include "recording_messages.hpp"
#include "settings_file.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "tmpdir_override.hpp"
#include "track_checksum.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>

// Every file operation of the core is run once to count its platform calls, then once for each call
// failing in turn with each of a few errors. Whatever fails, the operation must say so (or succeed
// with its whole result, where the failure was harmless), every file must hold its old or its
// whole new contents, and no temporary file may be left anywhere.

namespace vantor {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::RecordingMessages;
using testing::TempFolder;
using Bytes = std::vector<std::uint8_t>;
using Snapshot = std::map<std::string, Bytes>;

struct Operation {
    const char* name;
    // Writes the files the operation starts from.
    std::function<void(const TempFolder&)> setUp;
    // Runs the operation as its command does; true when it reports success.
    std::function<bool(const TempFolder&, Messages&)> run;
};

const std::string MagicText = formatMagicFile(testing::blockWithEntries(6, 3), Descriptions{});

Bytes trackWithBrokenChecksum() {
    Bytes track = testing::trackWithArea(testing::filler(20, 2));
    track.back() ^= 0x5A;
    return track;
}

bool insertion(const TempFolder& folder, Messages& messages, BackupChoice backup) {
    return InsertMagicFile(folder / "m.md2", folder / "t.dat", backup, messages) == InsertResult::Inserted;
}

bool infoSave(const TempFolder& folder, Messages& messages) {
    InfoList list;
    std::uint64_t start = 0;
    if (!ReadKX7Info(folder / "t.dat", list, start)) {
        return false;
    }
    const InfoList read = list;
    list.setValue("Laps", "7");
    return WriteKX7Info(folder / "t.dat", read, list, messages);
}

bool extraction(const TempFolder& folder, Messages& messages) {
    const Bytes track = readFile(folder / "t.dat");
    if (outputIsInput(folder / "out.md2", folder / "t.dat", messages)) {
        return false;
    }
    WriteMagicFile(customMagicBlock(track), Descriptions{}, folder / "out.md2");
    return true;
}

bool stockData(const TempFolder& folder, Messages& messages) {
    CheckExeSize(folder / "KX7_2000.EXE", messages);
    const MagicBlock block = ReadStockBlock(folder / "KX7_2000.EXE", 3);
    if (outputIsInput(folder / stockFileName(3), folder / "KX7_2000.EXE", messages)) {
        return false;
    }
    WriteMagicFile(block, Descriptions{}, folder / stockFileName(3));
    return true;
}

const Operation Operations[] = {
    {"Insertion",
     [](const TempFolder& folder) {
         folder.write("t.dat", testing::trackWithArea(testing::filler(20, 2)));
         folder.write("m.md2", MagicText);
     },
     [](const TempFolder& folder, Messages& messages) {
         return insertion(folder, messages, BackupChoice::None);
     }},
    {"InsertionWithBackup",
     [](const TempFolder& folder) {
         folder.write("t.dat", testing::trackWithArea(testing::filler(20, 2)));
         folder.write("t.bak", std::string("an older backup"));
         folder.write("m.md2", MagicText);
     },
     [](const TempFolder& folder, Messages& messages) {
         return insertion(folder, messages, BackupChoice::CopyToBak);
     }},
    {"InfoSave",
     [](const TempFolder& folder) {
         folder.write("t.dat", testing::trackWithInfoBlock("#KX7INFO|Name|Alpha|Laps|53|#"));
     },
     infoSave},
    {"ChecksumRenewal", [](const TempFolder& folder) { folder.write("t.dat", trackWithBrokenChecksum()); },
     [](const TempFolder& folder, Messages&) { return renewStoredChecksum(folder / "t.dat"); }},
    {"Extraction",
     [](const TempFolder& folder) {
         folder.write("t.dat", testing::trackWithArea(testing::blockWithEntries(4, 9).markedForm()));
         folder.write("out.md2", std::string("an older magic data file"));
     },
     extraction},
    {"StockData", [](const TempFolder& folder) { testing::writeStockExecutable(folder / "KX7_2000.EXE"); },
     stockData},
    {"SettingsWrite",
     [](const TempFolder& folder) {
         folder.write("vantor2000.ini",
                      std::string("[config]\r\nkx72000exe=/old\r\n[descriptions]\r\ndesc1=Grip\r\n"));
     },
     [](const TempFolder& folder, Messages&) {
         writeSettings(folder / "vantor2000.ini", "/games/KX7_2000.EXE", "/tracks");
         return true;
     }},
};

const std::errc Errors[] = {std::errc::io_error, std::errc::no_space_on_device, std::errc::permission_denied};

Snapshot snapshotOf(const TempFolder& folder) {
    Snapshot files;
    for (const std::string& name : folder.fileNames()) {
        files[name] = readBytes(folder / name);
    }
    return files;
}

void empty(const TempFolder& folder) {
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        fs::remove_all(entry.path());
    }
}

struct Outcome {
    bool succeeded = false;
    std::uint64_t calls = 0;
};

Outcome runUnder(const Operation& operation, const TempFolder& folder, const platform::FaultPlan& plan) {
    RecordingMessages messages;
    platform::setFaultPlan(plan);
    Outcome outcome;
    try {
        outcome.succeeded = operation.run(folder, messages);
    } catch (const std::exception&) {
        outcome.succeeded = false;
    }
    outcome.calls = platform::platformCallCount();
    platform::setFaultPlan({});
    return outcome;
}

class FaultInjectionTest : public ::testing::Test {
protected:
    void TearDown() override { platform::setFaultPlan({}); }

    TempFolder folder;
    TempFolder tmp;
    testing::TmpDirOverride tmpDir{tmp.path()};
};

TEST_F(FaultInjectionTest, EveryFailingCallLeavesOldOrWholeNewFilesAndNothingElse) {
    std::uint64_t pointsTried = 0;
    for (const Operation& operation : Operations) {
        SCOPED_TRACE(operation.name);
        empty(folder);
        operation.setUp(folder);
        const Snapshot before = snapshotOf(folder);
        const Outcome clean = runUnder(operation, folder, {});
        ASSERT_TRUE(clean.succeeded);
        const std::uint64_t calls = clean.calls;
        const Snapshot after = snapshotOf(folder);
        ASSERT_NE(before, after);

        for (std::uint64_t failing = 1; failing <= calls; ++failing) {
            for (const std::errc error : Errors) {
                SCOPED_TRACE("call " + std::to_string(failing) + " failing with " +
                             std::make_error_code(error).message());
                empty(folder);
                operation.setUp(folder);
                const Outcome outcome = runUnder(operation, folder, {failing, error});
                ASSERT_GE(outcome.calls, failing) << "the planned failure was never reached";
                const bool succeeded = outcome.succeeded;
                ++pointsTried;
                const Snapshot now = snapshotOf(folder);
                if (succeeded) {
                    // Only a failure that changes nothing the user could act on may pass unreported.
                    EXPECT_EQ(now, after);
                } else {
                    for (const auto& [name, bytes] : now) {
                        const bool old = before.contains(name) && before.at(name) == bytes;
                        const bool whole = after.contains(name) && after.at(name) == bytes;
                        EXPECT_TRUE(old || whole) << name << " is neither as it was nor as it should become";
                    }
                }
                EXPECT_TRUE(fs::is_empty(tmp.path()));
            }
        }
        std::cout << "fault injection, " << operation.name << ": " << calls << " calls, "
                  << calls * std::size(Errors) << " points\n";
    }
    std::cout << "fault injection: " << std::size(Operations) << " operations, " << pointsTried
              << " points tried\n";
}

} // namespace
} // namespace vantor
