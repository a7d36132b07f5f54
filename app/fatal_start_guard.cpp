#include "fatal_start_guard.hpp"

#include <cstdlib>
#include <iostream>
#include <utility>

#include <QtGlobal>

namespace {

std::string guardMessage;
QtMessageHandler passedOn = nullptr;

void endWithGuardMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        passedOn(type, context, text);
        return;
    }
    std::cerr << guardMessage << std::endl;
    // Half-built Qt objects must not be torn down: end at once, as the abort would have.
    std::_Exit(1);
}

} // namespace

FatalStartGuard::FatalStartGuard(std::string message) {
    guardMessage = std::move(message);
    passedOn = qInstallMessageHandler(endWithGuardMessage);
}

FatalStartGuard::~FatalStartGuard() {
    qInstallMessageHandler(passedOn);
}
