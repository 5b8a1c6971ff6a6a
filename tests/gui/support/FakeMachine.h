#pragma once
// A scripted machine in place of the real one for the life of a test: drives, folders,
// the ESC key and the beep.
#include "platform/Platform.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/fake/FakeDriveSystem.h"
#include "platform/fake/FakeFileSystem.h"

struct FakeMachine {
    platform::FakeDriveSystem drives;
    platform::FakeFileSystem files;
    platform::FakeDesktop desktop;
    platform::Platform fakePlatform{drives, files, desktop};
    platform::ScopedPlatform scoped{fakePlatform};
};
