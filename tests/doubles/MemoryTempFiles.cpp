#include "doubles/MemoryTempFiles.h"

namespace platform {

namespace {

class MemoryTempFile final : public TempFile {
public:
    MemoryTempFile(MemoryTempFiles& owner, std::string target) : owner_(owner), target_(std::move(target)) {}

    bool Write(const char* data, std::size_t size) override {
        if (finished_) return false;
        ++owner_.writeRequests;
        bytes_.append(data, size);
        return true;
    }
    bool Finish() override {
        finished_ = true;
        return true;
    }
    bool Replace() override {
        if (!finished_) return false;
        owner_.files[target_] = std::move(bytes_);
        return true;
    }

private:
    MemoryTempFiles& owner_;
    std::string target_;
    std::string bytes_;
    bool finished_ = false;
};

}  // namespace

std::unique_ptr<TempFile> MemoryTempFiles::Beside(const std::string& target) {
    return std::make_unique<MemoryTempFile>(*this, target);
}

}  // namespace platform
