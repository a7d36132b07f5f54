#include "program_information.hpp"

#include <cstdlib>

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const char* const HelpArgument = "--help";
const char* const VersionArgument = "--version";

} // namespace

bool asksForInformation(const std::vector<std::string>& arguments) {
    return arguments.size() == 1 && (arguments[0] == HelpArgument || arguments[0] == VersionArgument);
}

void printInformation(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Moves KX7 2000 magic data between track files, magic data files and the game executable.\n"
        "Started otherwise it opens its window."));
    parser.addPositionalArgument(
        QStringLiteral("FILES"),
        QStringLiteral("A track file (.dat) and a magic data file (.md2), in either order: inserts the "
                       "magic data into the track without a window."),
        QStringLiteral("[TRACK MAGIC]"));
    // Qt's own help and version options would also list -h, -v and --help-all, which start the
    // window like any other single argument.
    parser.addOption({QStringLiteral("help"), QStringLiteral("Print this help and exit.")});
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the version and exit."));
    parser.addOption(version);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(version)) {
        parser.showVersion();
    }
    parser.showHelp(EXIT_SUCCESS);
}
