#include "checksum_command.hpp"
#include "desktop_settings.hpp"
#include "extract_command.hpp"
#include "insert_command.hpp"
#include "settings_file.hpp"
#include "texts.hpp"

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

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
    extract->add_option("OUTPUT", output, "Magic data file to write (*.md2)")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : UsageError;
    }

    try {
        if (*checksum) {
            return runChecksum(track, fix ? ChecksumAction::Fix : ChecksumAction::Verify, std::cout,
                               std::cerr);
        }
        if (*insert) {
            return runInsert(track, magic,
                             backup ? vantor::BackupChoice::CopyToBak : vantor::BackupChoice::None,
                             std::cerr);
        }
        if (*extract) {
            const auto settings = vantor::readSettings(
                settingsFile.empty() ? desktopSettingsFile() : std::filesystem::path(settingsFile));
            return runExtract(track, output, settings.descriptions, std::cerr);
        }
    } catch (const std::exception& error) {
        std::cerr << vantor::text::ApplicationErrorCaption << ": " << error.what() << '\n';
        return 1;
    }
    return UsageError;
}
