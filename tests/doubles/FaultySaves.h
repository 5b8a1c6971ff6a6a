#pragma once
// Saves that fail on purpose: the real new files beside their targets, with a disk that
// fills after so many bytes, a sync or a rename that fails.
#include <cstdint>
#include <memory>
#include <string>

#include "doubles/ScopedPlatform.h"
#include "platform/TempFile.h"

namespace platform {

struct SaveFaults {
    std::int64_t writableBytes = -1;  // the disk fills after this many bytes of a file; -1: never
    bool failSync = false;
    bool failRename = false;
};

class FaultyTempFiles final : public TempFiles {
public:
    FaultyTempFiles(TempFiles& real, const SaveFaults& faults) : real_(real), faults_(faults) {}
    std::unique_ptr<TempFile> Beside(const std::string& target) override;

private:
    TempFiles& real_;
    SaveFaults faults_;
};

// Every save made while it lives meets the faults.
class ScopedSaveFaults {
public:
    explicit ScopedSaveFaults(const SaveFaults& faults);
    ScopedSaveFaults(const ScopedSaveFaults&) = delete;
    ScopedSaveFaults& operator=(const ScopedSaveFaults&) = delete;

private:
    Platform& base_;
    FaultyTempFiles saves_;
    Platform faulty_;
    ScopedPlatform scoped_;
};

}  // namespace platform
