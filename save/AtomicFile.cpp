#include "save/AtomicFile.h"

#include <algorithm>

#include "resources/Texts.h"
#include "save/SaveError.h"
#include "save/TempFile.h"

namespace save {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

AtomicFile::Faults activeFaults;

}  // namespace

AtomicFile::ScopedFaults::ScopedFaults(const Faults& faults) : saved_(activeFaults) { activeFaults = faults; }
AtomicFile::ScopedFaults::~ScopedFaults() { activeFaults = saved_; }

AtomicFile::AtomicFile(const SavePath& target) : name_(target.name), file_(TempFile::Beside(target.native)) {
    if (!file_) FailCreate();
    buffer_.reserve(kBufferSize);
}

AtomicFile::~AtomicFile() = default;

void AtomicFile::FailCreate() const { throw SaveError(texts::Format(texts::kCannotCreateFile, name_)); }

void AtomicFile::FailWrite() { throw SaveError(texts::Cp932(texts::kStreamWriteError)); }

void AtomicFile::Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() <= kBufferSize) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= kBufferSize)
        WriteOut(bytes.data(), bytes.size());
    else
        buffer_.append(bytes);
}

void AtomicFile::Flush() {
    if (buffer_.empty()) return;
    WriteOut(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void AtomicFile::WriteOut(const char* data, std::size_t size) {
    if (activeFaults.writableBytes >= 0 && written_ + std::int64_t(size) > activeFaults.writableBytes) {
        // Fill the disk as far as it goes, then fail the way a full disk does.
        size = std::size_t(std::max<std::int64_t>(0, activeFaults.writableBytes - written_));
        WriteOut(data, size);
        FailWrite();
    }
    if (!file_->Write(data, size)) FailWrite();
    written_ += std::int64_t(size);
}

void AtomicFile::Commit() {
    Flush();
    if (activeFaults.failSync || !file_->Finish()) FailWrite();
    if (activeFaults.failRename || !file_->Replace()) FailCreate();
}

}  // namespace save
