#include "checksum_command.hpp"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

constexpr int UsageError = 2;

} // namespace

int main(int argc, char** argv) {
    using namespace vantor::cli;

    CLI::App app{"Moves KX7 2000 magic data between track files, magic data files and the game executable.",
                 "vantor2000-cli"};
    app.require_subcommand(1);

    std::string track;
    bool fix = false;
    auto* checksum =
        app.add_subcommand("checksum", "Print the stored and the computed checksum of a track file");
    checksum->add_option("TRACK", track, "Track file (*.dat)")->required();
    checksum->add_flag("--fix", fix, "Renew the stored checksum when it differs");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : UsageError;
    }

    if (*checksum) {
        return runChecksum(track, fix ? ChecksumAction::Fix : ChecksumAction::Verify, std::cout, std::cerr);
    }
    return UsageError;
}
