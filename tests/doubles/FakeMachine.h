#pragma once
// A scripted machine in place of the real one for the life of a test: drives, folders,
// the ESC key and the beep. Saves go to the real disk.
#include "doubles/FakeDesktop.h"
#include "doubles/FakeDriveSystem.h"
#include "doubles/FakeFileSystem.h"
#include "doubles/ScopedPlatform.h"
#include "platform/Platform.h"

struct FakeMachine {
    platform::FakeDriveSystem drives;
    platform::FakeFileSystem files;
    platform::FakeDesktop desktop;
    platform::Platform fakePlatform{drives, files, desktop, platform::NativePlatform().saves};
    platform::ScopedPlatform scoped{fakePlatform};
};
