#include "checksum_command.hpp"
#include "info_command.hpp"
#include "stock_command.hpp"

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

    std::string exe;
    std::string stockNumber;
    std::string stockOutput;
    auto* stock = app.add_subcommand("stock", "Write a track's stock magic data from the game executable");
    stock->add_option("EXE", exe, "Game executable (KX7_2000.EXE)")->required();
    stock->add_option("NUMBER", stockNumber, "Track number, 1 to 17")->required();
    stock->add_option("OUTPUT", stockOutput, "Magic data file to write (default magic2k_NN.md2)");

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

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : UsageError;
    }

    if (*checksum) {
        return runChecksum(track, fix ? ChecksumAction::Fix : ChecksumAction::Verify, std::cout, std::cerr);
    }
    if (*stock) {
        return runStock(exe, stockNumber, stockOutput, vantor::Descriptions{}, std::cerr);
    }
    if (*info) {
        const auto given = [](const CLI::Option* option, const std::string& text) {
            return option->count() > 0 ? std::optional<std::string>(text) : std::nullopt;
        };
        return runInfo(infoTrack,
                       {given(lapsOption, laps), given(split1Option, split1), given(split2Option, split2)},
                       std::cout, std::cerr);
    }
    return UsageError;
}
