// The program's start-up, run as a real process without a display or with one that does not
// answer: the command-line insertion, the refusal to open a window, --help and --version.

#include <gtest/gtest.h>

#include "file_name.hpp"
#include "io_error.hpp"
#include "magic_block.hpp"
#include "magic_file.hpp"
#include "run_process.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"
#include "track_fixture.hpp"
#include "unwritable_file.hpp"
#include "version.hpp"

namespace vantor::testing {
namespace {

namespace fs = std::filesystem;

// A track without custom magic data, and magic data files of two bump entries.
std::vector<std::uint8_t> plainTrack() {
    return trackWithArea(filler(8, 50));
}
std::string magicText(std::int32_t seed) {
    return formatMagicFile(blockWithEntries(2, seed), {});
}

// A track grows by the marked block of magicText(): marker, value area, two bump entries, end mark.
constexpr std::size_t InsertedSize = EmptyMarkedBlockSize + 2 * BumpEntrySize;

class StartupTest : public ::testing::Test {
protected:
    // The program runs from a folder of its own, so that a settings file it wrote would show.
    static void SetUpTestSuite() {
        programFolder_ = new TempFolder;
        fs::copy_file(VANTOR_APP_PATH, programFolder_->path() / "vantor2000");
    }
    static void TearDownTestSuite() {
        EXPECT_EQ(programFolder_->fileNames(), std::vector<std::string>{"vantor2000"});
        delete programFolder_;
    }

    // Without a display unless one is named.
    ProcessResult run(const std::vector<std::string>& arguments, const std::string& display = "") const {
        return runProcess(programFolder_->path() / "vantor2000", arguments, files_.path(),
                          {{"DISPLAY", display}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
    }
    std::string file(const std::string& name) const { return (files_ / name).string(); }

    TempFolder files_;
    static TempFolder* programFolder_;
};

TempFolder* StartupTest::programFolder_ = nullptr;

struct PairCase {
    const char* name;
    std::string first;
    std::string second;
};

void PrintTo(const PairCase& c, std::ostream* out) {
    *out << c.first << ' ' << c.second;
}

class InsertionPairTest : public StartupTest, public ::testing::WithParamInterface<PairCase> {};

TEST_P(InsertionPairTest, InsertsWithoutBackupOrMessage) {
    const PairCase& c = GetParam();
    const bool trackFirst = upperExtension(c.first) == ".DAT";
    const std::string track = trackFirst ? c.first : c.second;
    const std::string magic = trackFirst ? c.second : c.first;
    const auto original = plainTrack();
    files_.write(track, original);
    files_.write(magic, magicText(9));

    const ProcessResult result = run({file(c.first), file(c.second)});

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(readBytes(files_ / track).size(), original.size() + InsertedSize);
    // No backup, no scratch file left behind.
    EXPECT_EQ(files_.fileNames().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Pairs, InsertionPairTest,
                         ::testing::Values(PairCase{"TrackFirst", "t.dat", "m.md2"},
                                           PairCase{"MagicFirst", "m.md2", "t.dat"},
                                           PairCase{"MixedCase", "T.DaT", "M.Md2"},
                                           PairCase{"OldExtension", "m.md", "t.dat"},
                                           PairCase{"OldExtensionUpperCase", "t.dat", "M.MD"},
                                           PairCase{"Blanks", "my track.dat", "my magic.md2"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NothingCase {
    const char* name;
    std::vector<std::string> create;
    std::string first;
    std::string second;
};

void PrintTo(const NothingCase& c, std::ostream* out) {
    *out << c.first << ' ' << c.second;
}

class NothingDoneTest : public StartupTest, public ::testing::WithParamInterface<NothingCase> {};

TEST_P(NothingDoneTest, EndsQuietlyWithFilesUnchanged) {
    const NothingCase& c = GetParam();
    for (const std::string& name : c.create) {
        if (name.ends_with('/')) {
            fs::create_directory(files_ / name);
        } else {
            files_.write(name, upperExtension(name) == ".DAT" ? plainTrack() : bytesOf(magicText(9)));
        }
    }
    const auto before = files_.fileNames();

    const ProcessResult result = run({file(c.first), file(c.second)});

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(files_.fileNames(), before);
    for (const std::string& name : c.create) {
        if (!name.ends_with('/') && upperExtension(name) == ".DAT") {
            EXPECT_EQ(readBytes(files_ / name), plainTrack()) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, NothingDoneTest,
    ::testing::Values(NothingCase{"TwoTracks", {"a.dat", "b.dat"}, "a.dat", "b.dat"},
                      NothingCase{"TwoMagicFiles", {"a.md2", "b.md2"}, "a.md2", "b.md2"},
                      NothingCase{"OtherExtension", {"a.txt", "m.md2"}, "a.txt", "m.md2"},
                      NothingCase{"MagicFileMissing", {"t.dat"}, "t.dat", "m.md2"},
                      NothingCase{"TrackFileMissing", {"m.md2"}, "m.md2", "t.dat"},
                      NothingCase{"FolderNamedLikeATrack", {"x.dat/", "m.md2"}, "x.dat", "m.md2"}),
    [](const auto& info) { return std::string(info.param.name); });

class WindowWithoutDisplayTest : public StartupTest, public ::testing::WithParamInterface<std::size_t> {};

TEST_P(WindowWithoutDisplayTest, SaysWhyAndFails) {
    files_.write("t.dat", plainTrack());
    const std::vector<std::string> all = {file("t.dat"), file("m.md2"), file("x.md2")};
    const ProcessResult result = run({all.begin(), all.begin() + std::ptrdiff_t(GetParam())});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, std::string(text::NoDisplay) + "\n");
    EXPECT_EQ(readBytes(files_ / "t.dat"), plainTrack());
}

INSTANTIATE_TEST_SUITE_P(ArgumentCounts, WindowWithoutDisplayTest, ::testing::Values(0u, 1u, 3u));

TEST_F(StartupTest, RefusedMagicFileIsToldOnStandardError) {
    files_.write("t.dat", plainTrack());
    files_.write("m.md2", std::string("[something else]\r\n"));
    const ProcessResult result = run({file("t.dat"), file("m.md2")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Error: " + std::string(text::NotAMagicFile) + "\n");
    EXPECT_EQ(readBytes(files_ / "t.dat"), plainTrack());
}

TEST_F(StartupTest, FileFailureIsAnApplicationError) {
    files_.write("t.dat", plainTrack());
    files_.write("m.md2", magicText(9));
    ProcessResult result;
    {
        UnwritableFile locked(files_ / "t.dat");
        result = run({file("t.dat"), file("m.md2")});
    }
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Application Error: " + IoError::textOf(IoError::FileAccessDenied) + "\n");
    EXPECT_EQ(readBytes(files_ / "t.dat"), plainTrack());
}

// An X display number that no server on this machine serves.
std::string unservedDisplay() {
    int number = 99;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
        ++number;
    }
    return ":" + std::to_string(number);
}

class UnreachableDisplayTest : public StartupTest, public ::testing::WithParamInterface<std::size_t> {};

// Qt would abort (exit code 134) with a text about its platform plugins.
TEST_P(UnreachableDisplayTest, NamesTheDisplayAndFails) {
    files_.write("t.dat", plainTrack());
    files_.write("m.md2", magicText(9));
    const std::vector<std::string> all = {file("t.dat"), file("m.md2"), file("x.md2")};
    const std::string display = unservedDisplay();

    const ProcessResult result = run({all.begin(), all.begin() + std::ptrdiff_t(GetParam())}, display);

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.ends_with(text::displayUnreachable("DISPLAY", display) + "\n")) << result.err;
    EXPECT_EQ(readBytes(files_ / "t.dat"), plainTrack());
}

INSTANTIATE_TEST_SUITE_P(ArgumentCounts, UnreachableDisplayTest, ::testing::Values(0u, 1u, 2u, 3u));

struct InformationCase {
    const char* name;
    std::vector<std::string> arguments;
    bool unreachableDisplay;
    int exitCode;
    std::string outStart; // what standard output starts with
    std::string err;
};

void PrintTo(const InformationCase& c, std::ostream* out) {
    *out << c.name;
}

const std::string VersionLine = "Vantor-2000 " + std::string(Version) + "\n";
const std::string NoDisplayLine = std::string(text::NoDisplay) + "\n";

class InformationTest : public StartupTest, public ::testing::WithParamInterface<InformationCase> {};

TEST_P(InformationTest, OnlyTheExactSingleArgumentAsks) {
    const InformationCase& c = GetParam();
    const ProcessResult result = run(c.arguments, c.unreachableDisplay ? unservedDisplay() : "");
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.out.starts_with(c.outStart)) << result.out;
    if (c.outStart == VersionLine) {
        EXPECT_EQ(result.out, VersionLine);
    }
    if (c.outStart == "Usage: ") {
        // The help offers only what the program answers: -h, -v and --help-all start the window.
        EXPECT_NE(result.out.find("--version"), std::string::npos);
        for (const char* unanswered : {"-h,", "-v,", "--help-all"}) {
            EXPECT_EQ(result.out.find(unanswered), std::string::npos) << unanswered;
        }
    }
    EXPECT_EQ(result.err, c.err);
    EXPECT_TRUE(files_.fileNames().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, InformationTest,
    ::testing::Values(InformationCase{"Version", {"--version"}, false, 0, VersionLine, ""},
                      InformationCase{"Help", {"--help"}, false, 0, "Usage: ", ""},
                      // Answered before any display is opened.
                      InformationCase{
                          "VersionWithUnreachableDisplay", {"--version"}, true, 0, VersionLine, ""},
                      InformationCase{"HelpWithUnreachableDisplay", {"--help"}, true, 0, "Usage: ", ""},
                      // Anything else starts as before: the window, or a command-line run of two.
                      InformationCase{"ShortVersion", {"-v"}, false, 1, "", NoDisplayLine},
                      InformationCase{"HelpAll", {"--help-all"}, false, 1, "", NoDisplayLine},
                      InformationCase{"VersionAndMore", {"--version", "x", "y"}, false, 1, "", NoDisplayLine},
                      InformationCase{"HelpBesideAFile", {"--help", "m.md2"}, false, 0, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vantor::testing
