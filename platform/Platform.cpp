#include "platform/Platform.h"

namespace platform {

namespace {
Platform* installed = nullptr;
}

Platform& Current() { return installed ? *installed : NativePlatform(); }

Platform* Install(Platform* platform) {
    Platform* previous = installed;
    installed = platform;
    return previous;
}

}  // namespace platform
