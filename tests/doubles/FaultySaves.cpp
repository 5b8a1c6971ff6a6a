#include "doubles/FaultySaves.h"

#include <algorithm>

namespace platform {

namespace {

class FaultyTempFile final : public TempFile {
public:
    FaultyTempFile(std::unique_ptr<TempFile> real, const SaveFaults& faults)
        : real_(std::move(real)), faults_(faults) {}

    bool Write(const char* data, std::size_t size) override {
        const std::int64_t limit = faults_.writableBytes;
        if (limit >= 0 && written_ + std::int64_t(size) > limit) {
            // Fill the disk as far as it goes, then fail the way a full disk does.
            const auto room = std::size_t(std::max<std::int64_t>(0, limit - written_));
            if (room > 0) real_->Write(data, room);
            written_ += std::int64_t(room);
            return false;
        }
        written_ += std::int64_t(size);
        return real_->Write(data, size);
    }
    bool Finish() override { return !faults_.failSync && real_->Finish(); }
    bool Replace() override { return !faults_.failRename && real_->Replace(); }

private:
    std::unique_ptr<TempFile> real_;
    SaveFaults faults_;
    std::int64_t written_ = 0;
};

}  // namespace

std::unique_ptr<TempFile> FaultyTempFiles::Beside(const std::string& target) {
    std::unique_ptr<TempFile> real = real_.Beside(target);
    if (!real) return nullptr;
    return std::make_unique<FaultyTempFile>(std::move(real), faults_);
}

ScopedSaveFaults::ScopedSaveFaults(const SaveFaults& faults)
    : base_(Current()),
      saves_(base_.saves, faults),
      faulty_{base_.drives, base_.files, base_.desktop, saves_},
      scoped_(faulty_) {}

}  // namespace platform
