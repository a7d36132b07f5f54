#include "magic_source.hpp"

#include "error_code_of.hpp"
#include "game_executable.hpp"
#include "little_endian.hpp"
#include "magic_comparison.hpp"
#include "magic_text_fixture.hpp"
#include "recording_messages.hpp"
#include "stock_executable.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_file.hpp"
#include "track_fixture.hpp"

#include <gtest/gtest.h>

#include <string>

namespace vantor {
namespace {

using testing::TempFolder;

struct NamingCase {
    const char* name;
    std::string given;
    std::optional<SourceKind> kind;
    std::string file;
    int track;
};

class SourceNamingTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(SourceNamingTest, ExistingFilesFirstThenStockData) {
    const TempFolder folder;
    for (const char* existing : {"KX7_2000.EXE", "odd@5", "car.md2"}) {
        folder.write(existing, "x");
    }
    const NamingCase& c = GetParam();
    const std::string given = c.given.empty() ? "" : (folder.path() / c.given).string();
    const SourceNaming naming = nameSource(given);
    ASSERT_EQ(naming.name.has_value(), c.kind.has_value()) << naming.refusal;
    if (!c.kind) {
        EXPECT_NE(naming.refusal.find("from 1 to 17"), std::string::npos);
        return;
    }
    EXPECT_EQ(naming.name->kind, *c.kind);
    EXPECT_EQ(naming.name->file, folder.path() / c.file);
    EXPECT_EQ(naming.name->track, c.track);
    EXPECT_EQ(naming.name->given, given);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SourceNamingTest,
    ::testing::Values(NamingCase{"MagicFile", "car.md2", SourceKind::MagicFile, "car.md2", 0},
                      NamingCase{"ShortExtensionAnyCase", "OLD.Md", SourceKind::MagicFile, "OLD.Md", 0},
                      NamingCase{"TrackFile", "monza.dat", SourceKind::TrackFile, "monza.dat", 0},
                      NamingCase{"NoExtensionIsATrack", "monza", SourceKind::TrackFile, "monza", 0},
                      NamingCase{"StockData", "KX7_2000.EXE@5", SourceKind::StockData, "KX7_2000.EXE", 5},
                      NamingCase{"HexadecimalTrackNumber", "KX7_2000.EXE@$11", SourceKind::StockData,
                                 "KX7_2000.EXE", 17},
                      NamingCase{"ExistingFileWinsOverStockData", "odd@5", SourceKind::TrackFile, "odd@5", 0},
                      NamingCase{"NoNumberAfterTheAt", "a@b.md2", SourceKind::MagicFile, "a@b.md2", 0},
                      NamingCase{"TrackNumberTooHigh", "KX7_2000.EXE@18", std::nullopt, "", 0},
                      NamingCase{"TrackNumberZero", "KX7_2000.EXE@0", std::nullopt, "", 0}),
    [](const auto& info) { return info.param.name; });

class MagicSourceTest : public ::testing::Test {
protected:
    SourceLoad load(const std::string& name) {
        return loadSource(*nameSource((folder / name).string()).name);
    }
    TempFolder folder;
};

// The same block, once in each place, reads the same.
TEST_F(MagicSourceTest, TrackMagicFileAndStockDataGiveTheSameBlock) {
    testing::writeStockExecutable(folder / "KX7_2000.EXE");
    const MagicBlock stock = ReadStockBlock(folder / "KX7_2000.EXE", 5);
    Descriptions descriptions;
    descriptions[0] = "grip";
    WriteMagicFile(stock, descriptions, folder / "five.md2");
    folder.write("five.dat", testing::trackOf(400, 100, 100));
    testing::RecordingMessages messages;
    ASSERT_EQ(InsertMagicFile(folder / "five.md2", folder / "five.dat", BackupChoice::None, messages),
              InsertResult::Inserted);

    const SourceLoad fromExe = load("KX7_2000.EXE@5");
    const SourceLoad fromFile = load("five.md2");
    const SourceLoad fromTrack = load("five.dat");
    ASSERT_TRUE(fromExe.source && fromFile.source && fromTrack.source);
    EXPECT_EQ(fromExe.source->block.bumpEntryCount(), 12u);
    EXPECT_TRUE(compareBlocks(fromExe.source->block, fromFile.source->block).equal());
    EXPECT_TRUE(compareBlocks(fromExe.source->block, fromTrack.source->block).equal());
    EXPECT_EQ(fromFile.source->ownDescriptions->at(0), "grip");
    EXPECT_FALSE(fromTrack.source->ownDescriptions);
    EXPECT_FALSE(fromExe.source->ownDescriptions);
}

// Only the header and the area are read; a block that runs on past its area's end is still read
// to its end mark, as extraction reads it.
TEST_F(MagicSourceTest, TrackBlockIsReadToItsEndMarkWhateverTheAreaWordsSay) {
    const MagicBlock block = testing::blockWithEntries(300, 2);
    std::vector<std::uint8_t> track = testing::trackWithArea(block.markedForm(), 5000);
    writeU32(track, 24, 100);
    folder.write("long.dat", track);
    const SourceLoad loaded = load("long.dat");
    ASSERT_TRUE(loaded.source) << loaded.refusal;
    EXPECT_EQ(loaded.source->block.markedForm(), block.markedForm());

    std::vector<std::uint8_t> unmarked = block.markedForm();
    unmarked.resize(unmarked.size() - 2);
    folder.write("endless.dat", testing::trackWithArea(unmarked, 0));
    EXPECT_EQ(testing::errorCodeOf([&] { load("endless.dat"); }), IoError::ReadBeyondEnd);
}

TEST_F(MagicSourceTest, RefusesWithTheSystemsTexts) {
    folder.write("plain.dat", testing::trackOf(400, 100, 100));
    folder.write("wrong.md2", "[kx7-2000 magic file] \r\n");
    folder.write("end.md2", testing::magicText({}, {"1,2", "65535,0"}));
    EXPECT_EQ(load("missing.dat").refusal, text::FileNotFound);
    EXPECT_EQ(load("KX7_2000.EXE@3").refusal, text::FileNotFound);
    EXPECT_EQ(load("plain.dat").refusal, text::NoCustomMagicData);
    EXPECT_EQ(load("wrong.md2").refusal, text::NotAMagicFile);
    EXPECT_EQ(load("end.md2").refusal, text::bumpValueEndsTable((folder / "end.md2").string(), 137));
}

TEST_F(MagicSourceTest, MagicFileReadExactlyAsInsertionCompilesIt) {
    folder.write("slips.md2", testing::magicText({{1, "12abc; grip"}, {2, "-5x;"}, {7, "120; wraps"}}));
    const SourceLoad loaded = load("slips.md2");
    ASSERT_TRUE(loaded.source);
    EXPECT_EQ(loaded.source->block.value(1), 12);
    EXPECT_EQ(loaded.source->block.value(2), 5);
    EXPECT_EQ(loaded.source->block.value(7), -136);
    EXPECT_EQ(loaded.source->ownDescriptions->at(0), "grip");
    EXPECT_EQ(loaded.source->ownDescriptions->at(1), "");
}

TEST_F(MagicSourceTest, DescriptionsAskedForWinThenTheFilesOwnThenTheSettings) {
    folder.write("own.md2", testing::magicText({{1, "0; own"}}));
    folder.write("own.dat", testing::trackWithArea(testing::blockWithEntries(0, 1).markedForm()));
    Descriptions settings;
    settings[0] = "settings";
    Descriptions asked;
    asked[0] = "asked";
    const MagicSource magic = *load("own.md2").source;
    const MagicSource track = *load("own.dat").source;
    EXPECT_EQ(descriptionsFor(magic, asked, settings)[0], "asked");
    EXPECT_EQ(descriptionsFor(magic, std::nullopt, settings)[0], "own");
    EXPECT_EQ(descriptionsFor(track, std::nullopt, settings)[0], "settings");
    EXPECT_EQ(descriptionsFor(track, asked, settings)[0], "asked");
}

} // namespace
} // namespace vantor
