#include "platform.hpp"

#include <atomic>
#include <utility>

namespace vantor::platform {

namespace {

// An unused plan costs one relaxed increment and one comparison a call; the count is atomic because
// tests rewrite files from several threads at once.
FaultPlan activePlan;
std::atomic<std::uint64_t> callCount = 0;

} // namespace

OpenFile::OpenFile(OpenFile&& other) noexcept
    : handle_(std::exchange(other.handle_, InvalidHandle)) {}

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
    if (this != &other) {
        if (handle_ != InvalidHandle) {
            closeQuietly(handle_);
        }
        handle_ = std::exchange(other.handle_, InvalidHandle);
    }
    return *this;
}

OpenFile::~OpenFile() {
    if (handle_ != InvalidHandle) {
        closeQuietly(handle_);
    }
}

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
    callCount.store(0, std::memory_order_relaxed);
}

std::uint64_t platformCallCount() {
    return callCount.load(std::memory_order_relaxed);
}

void faultPoint() {
    const std::uint64_t call = callCount.fetch_add(1, std::memory_order_relaxed) + 1;
    if (call == activePlan.failingCall) {
        throw SystemError(activePlan.condition, std::make_error_code(activePlan.condition).message());
    }
}

} // namespace vantor::platform
