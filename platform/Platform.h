#pragma once
#include "platform/Desktop.h"
#include "platform/DriveSystem.h"
#include "platform/FileSystem.h"

namespace platform {

// The operating system as the program sees it. The real one for the running
// machine unless a test has put scripted ones in its place.
struct Platform {
    DriveSystem& drives;
    FileSystem& files;
    Desktop& desktop;
};

Platform& Current();

// Puts another platform in place for the life of the object (tests).
class ScopedPlatform {
public:
    explicit ScopedPlatform(Platform& replacement);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform* previous_;
};

}  // namespace platform
