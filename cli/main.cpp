#include "checksum_command.hpp"
#include "desktop_settings.hpp"
#include "extract_command.hpp"
#include "info_command.hpp"
#include "insert_command.hpp"
#include "platform.hpp"
#include "settings_file.hpp"
#include "stock_command.hpp"
#include "texts.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <iostream>
#include <optional>

namespace {

constexpr int UsageError = 2;

} // namespace

int main(int argc, char** argv) {
    using namespace vantor::cli;

    CLI::App app{"Moves KX7 2000 magic data between track files, magic data files and the game executable.",
                 "vantor2000-cli"};
    app.require_subcommand(1);
    // Global options may also follow the command.
    app.fallthrough();

    std::string settingsFile;
    app.add_option("--settings", settingsFile,
                   "Settings file whose value descriptions go into magic data files "
                   "(default: the desktop program's)")
        ->check(CLI::ExistingFile);

    std::string track;
    bool fix = false;
    auto* checksum =
        app.add_subcommand("checksum", "Print the stored and the computed checksum of a track file");
    checksum->add_option("TRACK", track, "Track file (*.dat)")->required();
    checksum->add_flag("--fix", fix, "Renew the stored checksum when it differs");

    std::string magic;
    bool backup = false;
    auto* insert =
        app.add_subcommand("insert", "Compile a magic data file into a track file's custom magic data");
    insert->add_option("TRACK", track, "Track file (*.dat)")->required();
    insert->add_option("MAGIC", magic, "Magic data file (*.md2)")->required();
    insert->add_flag("--backup", backup,
                     "Copy the track file to the same name with the extension .bak first");

    std::string output;
    auto* extract =
        app.add_subcommand("extract", "Write a track file's custom magic data as a magic data file");
    extract->add_option("TRACK", track, "Track file (*.dat)")->required();
    extract->add_option("OUTPUT", output, "Magic data file to write (*.md2), - for standard output")
        ->required();

    std::string exe;
    std::string stockNumber;
    std::string stockOutput;
    auto* stock = app.add_subcommand("stock", "Write a track's stock magic data from the game executable");
    stock->add_option("EXE", exe, "Game executable (KX7_2000.EXE)")->required();
    stock->add_option("NUMBER", stockNumber, "Track number, 1 to 17")->required();
    stock->add_option("OUTPUT", stockOutput,
                      "Magic data file to write (default magic2k_NN.md2), - for standard output");

    std::string infoTrack;
    std::string laps;
    std::string split1;
    std::string split2;
    auto* info =
        app.add_subcommand("info", "Print a track's info block, or save changed laps and split points");
    info->add_option("TRACK", infoTrack, "Track file (*.dat)")->required();
    auto* lapsOption = info->add_option("--laps", laps, "Laps as typed; empty removes the pair");
    auto* split1Option = info->add_option("--split1", split1, "Split point 1, an integer");
    auto* split2Option = info->add_option("--split2", split2, "Split point 2, an integer");

    vantor::platform::useBinaryStandardStreams();
    std::vector<std::string> arguments = vantor::platform::commandLineArguments(argc, argv);
    // CLI11 takes a list in reverse order.
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : UsageError;
    }

    const auto path = [](const std::string& text) { return vantor::platform::pathFromUtf8(text); };
    try {
        if (*checksum) {
            return runChecksum(path(track), fix ? ChecksumAction::Fix : ChecksumAction::Verify, std::cout,
                               std::cerr);
        }
        if (*insert) {
            return runInsert(path(track), path(magic),
                             backup ? vantor::BackupChoice::CopyToBak : vantor::BackupChoice::None,
                             std::cerr);
        }
        if (*extract) {
            const auto settings =
                vantor::readSettings(settingsFile.empty() ? desktopSettingsFile() : path(settingsFile));
            return runExtract(path(track), path(output), settings.descriptions, std::cerr);
        }
        if (*stock) {
            const auto settings =
                vantor::readSettings(settingsFile.empty() ? desktopSettingsFile() : path(settingsFile));
            return runStock(path(exe), stockNumber, path(stockOutput), settings.descriptions, std::cerr);
        }
        if (*info) {
            const auto given = [](const CLI::Option* option, const std::string& text) {
                return option->count() > 0 ? std::optional<std::string>(text) : std::nullopt;
            };
            return runInfo(
                path(infoTrack),
                {given(lapsOption, laps), given(split1Option, split1), given(split2Option, split2)},
                std::cout, std::cerr);
        }
    } catch (const std::exception& error) {
        std::cerr << vantor::text::ApplicationErrorCaption << ": " << error.what() << '\n';
        return 1;
    }
    return UsageError;
}
