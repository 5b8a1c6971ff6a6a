#pragma once
#include "platform/TempFile.h"

namespace platform {

// New files beside their targets, made with the system's own calls.
class PosixTempFiles final : public TempFiles {
public:
    std::unique_ptr<TempFile> Beside(const std::string& target) override;
};

}  // namespace platform
