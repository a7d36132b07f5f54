#include "desktop_services.hpp"

#include "platform_services.hpp"

namespace {

DesktopServices* installed = nullptr;

} // namespace

DesktopServices& DesktopServices::current() {
    static PlatformServices platform;
    return installed != nullptr ? *installed : platform;
}

void DesktopServices::install(DesktopServices* services) {
    installed = services;
}
