#pragma once
#include "platform/Platform.h"

namespace platform {

// Puts another platform in place for the life of the object.
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& replacement) : previous_(Install(&replacement)) {}
    ~ScopedPlatform() { Install(previous_); }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

}  // namespace platform
