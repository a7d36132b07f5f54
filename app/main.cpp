// The program's entry: a command-line insertion when given two arguments, else the main window.

#include <cstdlib>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QApplication>
#include <QTimer>

#include "box_messages.hpp"
#include "command_line.hpp"
#include "deferred_overflow_icon_style.hpp"
#include "desktop_services.hpp"
#include "fatal_start_guard.hpp"
#include "filename_edit.hpp"
#include "program_identity.hpp"
#include "program_information.hpp"
#include "stream_messages.hpp"
#include "text_conversion.hpp"
#include "texts.hpp"
#include "vantor_about.hpp"
#include "vantor_kx7_info.hpp"
#include "vantor_main.hpp"
#include "vantor_set_kx72000_location.hpp"

namespace {

namespace text = vantor::text;

constexpr int Failed = 1;

// The first of the variables that tell Qt where to show windows, with its value. Without one Qt
// cannot open a display, and creating the application would abort.
std::optional<std::pair<std::string, std::string>> displaySetting() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return std::pair<std::string, std::string>(name, value);
        }
    }
    return std::nullopt;
}

// A failure that ends a command-line run is shown with the caption "Application Error".
int runCommandLine(const std::vector<std::string>& arguments, vantor::Messages& messages,
                   const std::function<void(const char*)>& showFailure) {
    try {
        vantor::app::RunCommandLine(arguments, messages);
    } catch (const std::exception& failure) {
        showFailure(failure.what());
        return Failed;
    }
    return EXIT_SUCCESS;
}

int runWithoutDisplay(const std::vector<std::string>& arguments) {
    vantor::StreamMessages messages(std::cerr);
    const int code = runCommandLine(arguments, messages, [](const char* failure) {
        std::cerr << text::ApplicationErrorCaption << ": " << failure << '\n';
    });
    if (vantor::app::CommandLineMode) {
        return code;
    }
    std::cerr << text::NoDisplay << '\n';
    return Failed;
}

int runWindows(QApplication& application, const std::vector<std::string>& arguments) {
    TFVantor mainWindow(ProgramPlace::ofThisProgram());
    FVantor = &mainWindow;
    // Made when first used: the main window comes up sooner.
    FAbout.makeWhenUsed([] { return std::make_unique<TFAbout>(); });
    FEditKX7info.makeWhenUsed([&mainWindow] {
        return std::make_unique<TFEditKX7info>(
            [&mainWindow] { return toPath(mainWindow.FETrackFile->fileName()); });
    });
    TFKX72000Location location;
    FKX72000Location = &location;

    // For start-up measurements: the whole start and the whole close, with nobody at the window;
    // a dialog or message of the start is closed as soon as it waits for an answer.
    if (std::getenv("VANTOR_QUIT_WHEN_SHOWN") != nullptr) {
        auto* quit = new QTimer(&mainWindow);
        QObject::connect(quit, &QTimer::timeout, &mainWindow, [&mainWindow] {
            QWidget* modal = QApplication::activeModalWidget();
            (modal != nullptr ? modal : &mainWindow)->close();
        });
        quit->start(0);
    }
    mainWindow.show();
    // Once the start-up has settled, as when the file had been opened from the menu.
    if (const auto file = vantor::app::fileToEditAtStart(arguments)) {
        QTimer::singleShot(0, &mainWindow, [&mainWindow, file] { mainWindow.openMagicEditor(*file); });
    }
    const int code = application.exec();
    FEditKX7info = nullptr;
    FKX72000Location = nullptr;
    FAbout = nullptr;
    FVantor = nullptr;
    return code;
}

} // namespace

int main(int argc, char** argv) {
    // Counted before Qt takes its own options out of argv.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    setProgramIdentity();
    if (asksForInformation(arguments)) {
        printInformation(argc, argv);
    }
    const auto display = displaySetting();
    if (!display) {
        return runWithoutDisplay(arguments);
    }
    std::optional<FatalStartGuard> guard(std::in_place,
                                         text::displayUnreachable(display->first, display->second));
    QApplication application(argc, argv);
    guard.reset();
    setProgramIcon();

    BoxMessages messages;
    const int code = runCommandLine(arguments, messages, [](const char* failure) {
        DesktopServices::current().showMessage(nullptr, qText(text::ApplicationErrorCaption),
                                               QMessageBox::Critical, QString::fromLocal8Bit(failure));
    });
    if (vantor::app::CommandLineMode) {
        return code;
    }
    // Only the main window has a menu bar whose overflow icon would be read at once.
    QApplication::setStyle(new DeferredOverflowIconStyle);
    return runWindows(application, arguments);
}
