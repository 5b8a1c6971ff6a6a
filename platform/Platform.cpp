#include "platform/Platform.h"

namespace platform {

Platform& NativePlatform();  // posix/ or win32/, whichever this build is for

namespace {
Platform* replacement = nullptr;
}

Platform& Current() { return replacement ? *replacement : NativePlatform(); }

ScopedPlatform::ScopedPlatform(Platform& platform) : previous_(replacement) { replacement = &platform; }

ScopedPlatform::~ScopedPlatform() { replacement = previous_; }

}  // namespace platform
