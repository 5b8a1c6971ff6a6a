#include "save/AtomicFile.h"

#include "platform/Platform.h"
#include "resources/Texts.h"
#include "save/SaveError.h"

namespace save {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

AtomicFile::AtomicFile(const SavePath& target)
    : name_(target.name), file_(platform::Current().saves.Beside(target.native)) {
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
    if (!file_->Write(data, size)) FailWrite();
}

void AtomicFile::Commit() {
    Flush();
    if (!file_->Finish()) FailWrite();
    if (!file_->Replace()) FailCreate();
}

}  // namespace save
