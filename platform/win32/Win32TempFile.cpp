#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/Win32Names.h"
#include "platform/win32/Win32TempFile.h"

namespace platform {

namespace {

constexpr int kNameAttempts = 100;
constexpr std::size_t kLargestWrite = std::size_t(1) << 30;  // one WriteFile takes a DWORD
// Carried over from the file replaced; a read-only one is refused instead.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Both paths are in "\\?\" form, where "\" is the only separator.
class Win32TempFile final : public TempFile {
public:
    explicit Win32TempFile(std::wstring target) : target_(std::move(target)) {}
    ~Win32TempFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        if (!temp_.empty()) DeleteFileW(temp_.c_str());
    }

    bool CheckTarget();
    bool CreateTemporary();
    bool Write(const char* data, std::size_t size) override;
    bool Finish() override;
    bool Replace() override;

private:
    std::wstring target_;
    std::wstring temp_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD kept_ = 0;
};

bool Win32TempFile::CheckTarget() {
    if (target_.empty()) return false;
    const DWORD attributes = GetFileAttributesW(target_.c_str());
    // Missing is fine; a missing folder, a file used as a folder and the like are not.
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) return false;
    kept_ = attributes & kKeptAttributes;
    return true;
}

bool Win32TempFile::CreateTemporary() {
    const std::wstring folder = target_.substr(0, target_.rfind(L'\\') + 1);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string tag = RandomTag(8);
        std::wstring candidate = folder + L".orvale-" + std::wstring(tag.begin(), tag.end()) + L".tmp";
        // Not shared while it is written.
        handle_ = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ != INVALID_HANDLE_VALUE) {
            temp_ = std::move(candidate);
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return false;
}

bool Win32TempFile::Write(const char* data, std::size_t size) {
    while (size > 0) {
        const DWORD piece = DWORD(std::min(size, kLargestWrite));
        DWORD done = 0;
        // A short write is a full disk as much as a failed one.
        if (!WriteFile(handle_, data, piece, &done, nullptr) || done != piece) return false;
        data += piece;
        size -= piece;
    }
    return true;
}

bool Win32TempFile::Finish() {
    const bool flushed = FlushFileBuffers(handle_) != 0;
    const bool closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
    return flushed && closed && (kept_ == 0 || SetFileAttributesW(temp_.c_str(), kept_) != 0);
}

bool Win32TempFile::Replace() {
    if (!MoveFileExW(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    temp_.clear();
    return true;
}

}  // namespace

std::unique_ptr<TempFile> Win32TempFiles::Beside(const std::string& target) {
    auto file = std::make_unique<Win32TempFile>(Win32Path(target));
    if (!file->CheckTarget() || !file->CreateTemporary()) return nullptr;
    return file;
}

}  // namespace platform
