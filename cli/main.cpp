#include "check_command.hpp"
#include "checksum_command.hpp"
#include "desktop_settings.hpp"
#include "diff_command.hpp"
#include "extract_command.hpp"
#include "info_command.hpp"
#include "insert_command.hpp"
#include "platform.hpp"
#include "set_command.hpp"
#include "settings_file.hpp"
#include "show_command.hpp"
#include "stock_command.hpp"
#include "texts.hpp"
#include "version.hpp"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr int UsageError = 2;

// The first argument that is neither an option nor the value of --settings: the command's name.
std::optional<std::string_view> commandName(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--settings") {
            ++i;
        } else if (!argument.starts_with('-')) {
            return argument;
        }
    }
    return std::nullopt;
}

// Names as typed, in UTF-8, to paths: on Windows a path made from a narrow string would read it in
// the system's code page.
std::filesystem::path pathOf(const std::string& text) {
    return vantor::platform::pathFromUtf8(text);
}

std::vector<std::filesystem::path> pathsOf(const std::vector<std::string>& texts) {
    std::vector<std::filesystem::path> paths;
    paths.reserve(texts.size());
    std::transform(texts.begin(), texts.end(), std::back_inserter(paths), pathOf);
    return paths;
}

vantor::cli::OutputFormat formatOf(bool json) {
    return json ? vantor::cli::OutputFormat::Json : vantor::cli::OutputFormat::Text;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vantor::cli;

    CLI::App app{"Moves KX7 2000 magic data between track files, magic data files and the game executable.",
                 "vantor2000-cli"};
    app.set_version_flag("--version", "vantor2000-cli " + std::string(vantor::Version));
    app.require_subcommand(1);
    // Global options may also follow the command.
    app.fallthrough();

    std::string settingsFile;
    app.add_option("--settings", settingsFile,
                   "Settings file whose value descriptions go into magic data files "
                   "(default: the desktop program's)")
        ->check(CLI::ExistingFile);

    std::string track;
    std::vector<std::string> checksumTracks;
    bool fix = false;
    auto* checksum =
        app.add_subcommand("checksum", "Print the stored and the computed checksum of track files");
    checksum->add_option("TRACK", checksumTracks, "Track files (*.dat)")->required();
    checksum->add_flag("--fix", fix, "Renew the stored checksum when it differs");

    std::string magic;
    bool backup = false;
    auto* insert =
        app.add_subcommand("insert", "Compile a magic data file into a track file's custom magic data");
    insert->add_option("TRACK", track, "Track file (*.dat)")->required();
    insert->add_option("MAGIC", magic, "Magic data file (*.md2)")->required();
    insert->add_flag("--backup", backup,
                     "Copy the track file to the same name with the extension .bak first");

    std::vector<std::string> extractFiles;
    std::string extractFolder;
    auto* extract = app.add_subcommand(
        "extract", "Write a track file's custom magic data as a magic data file: TRACK OUTPUT, or "
                   "TRACK... --output-dir DIR for NAME.md2 in DIR");
    extract
        ->add_option("TRACK", extractFiles,
                     "Track file (*.dat), then the magic data file to write (*.md2), - for standard output")
        ->required();
    extract
        ->add_option("--output-dir", extractFolder,
                     "Write each TRACK as NAME.md2 into this folder, created when missing")
        ->type_name("DIR");

    std::string exe;
    std::string stockNumber;
    std::string stockOutput;
    auto* stock = app.add_subcommand("stock", "Write a track's stock magic data from the game executable");
    stock->add_option("EXE", exe, "Game executable (KX7_2000.EXE)")->required();
    stock->add_option("NUMBER", stockNumber, "Track number, 1 to 17, or all")->required();
    stock->add_option("OUTPUT", stockOutput,
                      "Magic data file to write (default magic2k_NN.md2), - for standard output");
    std::string stockFolder;
    stock
        ->add_option("--output-dir", stockFolder,
                     "Write magic2k_NN.md2 into this folder, created when missing")
        ->type_name("DIR");

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

    std::vector<std::string> showSources;
    std::string descriptionsFile;
    bool json = false;
    auto* show = app.add_subcommand("show", "Print the 130 values and the bump table of magic data");
    show->add_option("SOURCE", showSources,
                     "Track file, magic data file (*.md2, *.md) or EXE@N, the stock data of track N")
        ->required();

    std::vector<std::string> checkFiles;
    auto* check = app.add_subcommand(
        "check",
        "Find what the lenient readers would silently get wrong in magic data files and track files");
    check->add_option("FILE", checkFiles, "Magic data file (*.md2, *.md) or track file")->required();
    check->add_flag("--json", json, "One JSON list of findings");

    std::string diffA;
    std::string diffB;
    auto* diff = app.add_subcommand("diff", "Print the values and bump entries in which two sources differ");
    diff->add_option("A", diffA, "Track file, magic data file or EXE@N")->required();
    diff->add_option("B", diffB, "Track file, magic data file or EXE@N")->required();

    for (auto* described : {show, diff}) {
        described->add_flag("--json", json, "Print JSON");
        described
            ->add_option("--descriptions", descriptionsFile,
                         "Magic data file whose value lines give the descriptions")
            ->type_name("MAGIC");
    }

    std::string setTarget;
    std::vector<std::string> assignments;
    std::string bumpTableFile;
    auto* set =
        app.add_subcommand("set", "Change values and the bump table of a track file or a magic data file");
    set->add_option("TARGET", setTarget, "Track file or magic data file (*.md2, *.md)")->required();
    set->add_option("NUMBER=VALUE", assignments, "Value number 1 to 130 and its new value");
    set->add_option("--bump-table", bumpTableFile,
                    "Text file of FIRST,SECOND lines that replaces the bump table")
        ->type_name("FILE");

    vantor::platform::useBinaryStandardStreams();
    std::vector<std::string> arguments = vantor::platform::commandLineArguments(argc, argv);
    if (const auto name = commandName(arguments)) {
        const auto& commands = app.get_subcommands([](const CLI::App*) { return true; });
        const bool known = std::any_of(commands.begin(), commands.end(),
                                       [&](const CLI::App* command) { return command->get_name() == *name; });
        if (!known) {
            std::cerr << "vantor2000-cli: unknown command \"" << *name << "\"; run vantor2000-cli --help for "
                      << "the commands.\n";
            return UsageError;
        }
    }
    // CLI11 takes a list in reverse order.
    std::reverse(arguments.begin(), arguments.end());

    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : UsageError;
    }

    try {
        if (*checksum) {
            return runChecksums(pathsOf(checksumTracks), fix ? ChecksumAction::Fix : ChecksumAction::Verify,
                                std::cout, std::cerr);
        }
        const DescriptionOptions descriptionOptions{pathOf(settingsFile), pathOf(descriptionsFile)};
        if (*show) {
            return runShow(showSources, descriptionOptions, formatOf(json), std::cout, std::cerr);
        }
        if (*check) {
            return runCheck(pathsOf(checkFiles), formatOf(json), std::cout, std::cerr);
        }
        if (*diff) {
            return runDiff(diffA, diffB, descriptionOptions, formatOf(json), std::cout, std::cerr);
        }
        if (*set) {
            return runSet(pathOf(setTarget), assignments, pathOf(bumpTableFile), std::cerr);
        }
        if (*insert) {
            return runInsert(pathOf(track), pathOf(magic),
                             backup ? vantor::BackupChoice::CopyToBak : vantor::BackupChoice::None,
                             std::cerr);
        }
        if (*extract) {
            const auto settings =
                vantor::readSettings(settingsFile.empty() ? desktopSettingsFile() : pathOf(settingsFile));
            if (!extractFolder.empty()) {
                return runExtractAll(pathsOf(extractFiles), pathOf(extractFolder), settings.descriptions,
                                     std::cerr);
            }
            if (extractFiles.size() != 2) {
                std::cerr << "extract: give TRACK OUTPUT, or TRACK... --output-dir DIR.\n";
                return UsageError;
            }
            return runExtract(pathOf(extractFiles[0]), pathOf(extractFiles[1]), settings.descriptions,
                              std::cerr);
        }
        if (*stock) {
            const auto settings =
                vantor::readSettings(settingsFile.empty() ? desktopSettingsFile() : pathOf(settingsFile));
            if (!stockFolder.empty() && !stockOutput.empty()) {
                std::cerr << "stock: give OUTPUT or --output-dir, not both.\n";
                return UsageError;
            }
            if (stockNumber == "all" && !stockOutput.empty()) {
                std::cerr << "stock: with all, name a folder with --output-dir instead of OUTPUT.\n";
                return UsageError;
            }
            if (stockNumber == "all" || !stockFolder.empty()) {
                return runStockInto(pathOf(exe), stockNumber, pathOf(stockFolder), settings.descriptions,
                                    std::cerr);
            }
            return runStock(pathOf(exe), stockNumber, pathOf(stockOutput), settings.descriptions, std::cerr);
        }
        if (*info) {
            const auto given = [](const CLI::Option* option, const std::string& text) {
                return option->count() > 0 ? std::optional<std::string>(text) : std::nullopt;
            };
            return runInfo(
                pathOf(infoTrack),
                {given(lapsOption, laps), given(split1Option, split1), given(split2Option, split2)},
                std::cout, std::cerr);
        }
    } catch (const std::exception& error) {
        std::cerr << vantor::text::ApplicationErrorCaption << ": " << error.what() << '\n';
        return 1;
    }
    return UsageError;
}
