#pragma once
// Saves kept in memory: the new file beside a target is a string, and taking the target's
// place stores it under the target's native name. For tests that save many times and
// would only wear the disk.
#include <map>
#include <memory>
#include <string>

#include "platform/TempFile.h"

namespace platform {

class MemoryTempFiles final : public TempFiles {
public:
    // The saved files by native name, as the last save that took each one's place left it.
    std::map<std::string, std::string> files;
    // Write requests the new files were given, over all saves.
    int writeRequests = 0;

    std::unique_ptr<TempFile> Beside(const std::string& target) override;
};

}  // namespace platform
