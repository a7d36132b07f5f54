#include "platform.hpp"

namespace vantor::platform {

namespace {

// Plain counters: the program has one thread, and an unused plan costs one comparison a call.
FaultPlan activePlan;
std::uint64_t callCount = 0;

} // namespace

SystemError::SystemError(std::errc condition, const std::string& systemText)
    : std::runtime_error(systemText)
    , condition_(condition) {}

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void setFaultPlan(const FaultPlan& plan) {
    activePlan = plan;
    callCount = 0;
}

std::uint64_t platformCallCount() {
    return callCount;
}

void faultPoint() {
    ++callCount;
    if (callCount == activePlan.failingCall) {
        throw SystemError(activePlan.condition, std::make_error_code(activePlan.condition).message());
    }
}

} // namespace vantor::platform
