#include "magic_file.hpp"

#include "io_error.hpp"
#include "magic_text_fixture.hpp"
#include "recording_messages.hpp"
#include "temp_folder.hpp"
#include "texts.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vantor {
namespace {

using testing::bytesOf;
using testing::magicText;
using testing::readBytes;
using testing::RecordingMessages;
using testing::TempFolder;

MagicBlock compiledBlock(const std::string& text) {
    MagicCompilation compiled = compileMagicText(bytesOf(text));
    EXPECT_EQ(compiled.outcome, MagicCompilation::Outcome::Compiled);
    compiled.markedBlock.erase(compiled.markedBlock.begin(), compiled.markedBlock.begin() + 4);
    return MagicBlock(std::move(compiled.markedBlock));
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line must end in CR LF";
    return lines;
}

TEST(MagicFileTest, WritesTheLayoutWithPaddedValuesAndDescriptions) {
    std::vector<std::uint8_t> bare(ValueAreaSize, 0);
    bare.insert(bare.end(), {0xB0, 0x04, 0x25, 0x00, 0xFF, 0xFF});
    MagicBlock block(bare);
    block.setValue(1, 0);
    block.setValue(25, INT32_MIN);
    block.setValue(37, 65535);
    Descriptions descriptions;
    descriptions[24] = "grip; in percent";
    descriptions[129] = "last";

    const auto lines = linesOf(formatMagicFile(block, descriptions));
    ASSERT_EQ(lines.size(), 136u);
    EXPECT_EQ(lines[0], "[kx7-2000 magic file]");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "0         ; ");
    EXPECT_EQ(lines[3], "-151      ; ");
    EXPECT_EQ(lines[2 + 24], "-2147483648; grip; in percent");
    EXPECT_EQ(lines[2 + 36], "65535     ; ");
    EXPECT_EQ(lines[2 + 129], "0         ; last");
    EXPECT_EQ(lines[132], "");
    EXPECT_EQ(lines[133], "[bumptable]");
    EXPECT_EQ(lines[134], "");
    EXPECT_EQ(lines[135], "1200,37");
}

TEST(MagicFileTest, BlockWithoutBumpEntriesEndsWithTheSectionAndCompilesTo266Bytes) {
    const std::string text =
        formatMagicFile(MagicBlock(std::vector<std::uint8_t>(262, 0xFF)), Descriptions{});
    EXPECT_TRUE(text.ends_with("[bumptable]\r\n\r\n"));
    EXPECT_EQ(compileMagicText(bytesOf(text)).markedBlock.size(), 266u);
}

TEST(MagicFileTest, RoundTripKeepsEveryValueInEveryEncodingAndTheEntries) {
    std::mt19937 random(2000);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::uint8_t> bare(ValueAreaSize + 4 * static_cast<std::size_t>(round));
        for (auto& byte : bare) {
            byte = static_cast<std::uint8_t>(random());
        }
        // Extremes of every encoding in the first rounds, random bytes after.
        if (round < 2) {
            std::fill(bare.begin(), bare.end(), round == 0 ? 0x00 : 0xFF);
        }
        for (std::size_t i = ValueAreaSize; i < bare.size(); i += 2) {
            if (bare[i] == 0xFF && bare[i + 1] == 0xFF) {
                bare[i] = 0xFE; // 65535 is the end mark, never an entry
            }
        }
        bare.insert(bare.end(), {0xFF, 0xFF});
        const MagicBlock block(bare);
        Descriptions descriptions;
        descriptions[round] = "description " + std::to_string(round) + "; with ; semicolons";

        const MagicCompilation compiled = compileMagicText(bytesOf(formatMagicFile(block, descriptions)));
        ASSERT_EQ(compiled.outcome, MagicCompilation::Outcome::Compiled);
        EXPECT_EQ(compiled.markedBlock, block.markedForm()) << "round " << round;
        EXPECT_EQ(compiled.markedBlock.size(), bare.size() + 4) << "round " << round;
    }
}

TEST(MagicFileTest, ReadsValueLinesByTheNumberRule) {
    struct Case {
        const char* name;
        int value;
        std::string line;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"SpacesAround", 37, "  42   ;x", 42},
        {"Negative", 25, "-7;", -7},
        {"NoSemicolon", 37, "42", 0},
        {"TabsTrimmed", 37, "\t9\t; tabbed", 9},
        {"StoppedEarlyDropsSign", 25, "-5x ; note", 5},
        {"Hexadecimal", 37, "$ff ;", 255},
        {"BiasedWraps", 1, "200 ;", -56},
        {"Unsigned16MinusOne", 37, "-1;", 65535},
        {"PlainByteWraps", 35, "300;", 44},
        {"WrapsPast32Bits", 25, "4294967297;", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compiledBlock(magicText({{c.value, c.line}})).value(c.value), c.expected) << c.name;
    }
}

TEST(MagicFileTest, BiasedPairsCompileToTheirBytes) {
    const MagicBlock block = compiledBlock(magicText({{1, "-1;"}, {2, "0;"}, {3, "-151;"}, {4, "104;"}}));
    EXPECT_EQ(std::vector<std::uint8_t>(block.bytes().begin(), block.bytes().begin() + 4),
              (std::vector<std::uint8_t>{0x96, 0x97, 0x00, 0xFF}));
}

TEST(MagicFileTest, ReadsBumpLinesByTheNumberRule) {
    const MagicBlock block =
        compiledBlock(magicText({}, {" 12 , 34", "7", "   ", "", "$FFFE,0", "1200,37", "-2,x"}));
    const std::vector<std::pair<int, int>> expected = {{12, 34},    {0, 7},     {0, 0},
                                                       {0xFFFE, 0}, {1200, 37}, {65534, 0}};
    ASSERT_EQ(block.bumpEntryCount(), expected.size());
    for (std::size_t j = 0; j < expected.size(); ++j) {
        EXPECT_EQ(block.bumpEntry(j).first, expected[j].first) << "entry " << j;
        EXPECT_EQ(block.bumpEntry(j).second, expected[j].second) << "entry " << j;
    }
}

TEST(MagicFileTest, ShortFileGivesZeroValuesAndNoEntries) {
    const MagicBlock block = compiledBlock("[kx7-2000 magic file]\r\n\r\n5;\r\n");
    EXPECT_EQ(block.value(1), 5);
    EXPECT_EQ(block.bytes()[1], 0x97);
    EXPECT_EQ(block.value(130), 0);
    EXPECT_EQ(block.bumpEntryCount(), 0u);
}

TEST(MagicFileTest, RefusesAFileWithoutTheExactHeader) {
    const std::string body = magicText({}).substr(std::string("[kx7-2000 magic file]").size());
    const std::string headers[] = {"[KX7-2000 magic file]", "[kx7-2000 magic file] ",
                                   " [kx7-2000 magic file]", ""};
    for (const std::string& header : headers) {
        EXPECT_EQ(compileMagicText(bytesOf(header + body)).outcome, MagicCompilation::Outcome::NotAMagicFile)
            << header;
    }
    std::string lfOnly = magicText({});
    std::erase(lfOnly, '\r');
    EXPECT_EQ(compileMagicText(bytesOf(lfOnly)).outcome, MagicCompilation::Outcome::NotAMagicFile);
}

TEST(MagicFileTest, CompileFileGivesTheMarkedBlockAndWritesNothing) {
    TempFolder folder;
    const auto source = folder.write("a.md2", magicText({{130, "513;"}}, {"1,2"}));
    RecordingMessages messages;
    const auto compiled = CompileMagicFile(source, messages);
    ASSERT_TRUE(compiled);
    const auto& marked = *compiled;
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"a.md2"});
    EXPECT_EQ(marked.size(), 270u);
    EXPECT_TRUE(startsWithMagicMarker(marked));
    EXPECT_EQ(marked[4 + 258], 0x01);
    EXPECT_EQ(marked[4 + 259], 0x02);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MagicFileTest, CompileFileRefusalsAreTold) {
    struct Case {
        const char* name;
        std::string source;
        std::string message;
    };
    const Case cases[] = {
        {"WrongHeader", "[kx7-2000 MAGIC file]\r\n", std::string(text::NotAMagicFile)},
        {"EndMarkInBumpTable", magicText({}, {"1,2", "3,65535", "5,6"}), ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto source = folder.write("a.md2", c.source);
        RecordingMessages messages;
        EXPECT_FALSE(CompileMagicFile(source, messages)) << c.name;
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
        if (!c.message.empty()) {
            EXPECT_EQ(messages.shown[0].second, c.message);
        } else {
            EXPECT_NE(messages.shown[0].second.find("Line 137 of " + source.string()), std::string::npos)
                << messages.shown[0].second;
        }
    }
}

TEST(MagicFileTest, CompileFileRaisesForAMissingSource) {
    TempFolder folder;
    RecordingMessages messages;
    try {
        CompileMagicFile(folder / "missing.md2", messages);
        FAIL() << "no error raised";
    } catch (const IoError& error) {
        EXPECT_EQ(error.code(), IoError::FileNotFound);
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(MagicFileTest, WriteFileReplacesAnExistingFile) {
    TempFolder folder;
    const auto path = folder.write("out.md2", std::string(20000, 'x'));
    const MagicBlock block(std::vector<std::uint8_t>(ValueAreaSize, 0x97));
    WriteMagicFile(block, Descriptions{}, path);
    EXPECT_EQ(readBytes(path), bytesOf(formatMagicFile(block, Descriptions{})));
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.md2"});
}

} // namespace
} // namespace vantor
