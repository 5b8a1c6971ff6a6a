#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/win32/Win32TempFile.h"
#include "sjis/Cp932.h"

namespace platform {

namespace {

constexpr std::size_t kLongestName = MAX_PATH - 1;  // what the A calls take
constexpr int kNameAttempts = 100;
constexpr std::size_t kLargestWrite = std::size_t(1) << 30;  // one WriteFile takes a DWORD
// Carried over from the file replaced; a read-only one is refused instead.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Up to and including the last separator, or the colon of a drive letter; a 5C that is
// the second byte of a double-byte character (as in 表) is no separator.
std::string FolderPrefix(const std::string& path) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (sjis::IsLeadByte(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '\\' || c == '/' || (c == ':' && i == 1)) {
            end = i + 1;
        }
    }
    return path.substr(0, end);
}

class Win32TempFile final : public TempFile {
public:
    explicit Win32TempFile(std::string target) : target_(std::move(target)) {}
    ~Win32TempFile() override {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        if (!temp_.empty()) DeleteFileA(temp_.c_str());
    }

    bool CheckTarget();
    bool CreateTemporary();
    bool Write(const char* data, std::size_t size) override;
    bool Finish() override;
    bool Replace() override;

private:
    std::string target_;
    std::string temp_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD kept_ = 0;
};

bool Win32TempFile::CheckTarget() {
    if (target_.empty() || target_.size() > kLongestName) return false;
    const DWORD attributes = GetFileAttributesA(target_.c_str());
    // Missing is fine; a missing folder, a file used as a folder and the like are not.
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError() == ERROR_FILE_NOT_FOUND;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)) return false;
    kept_ = attributes & kKeptAttributes;
    return true;
}

bool Win32TempFile::CreateTemporary() {
    const std::string folder = FolderPrefix(target_);
    if (folder.size() >= kLongestName) return false;
    // A target near the length limit gets a shorter name beside it, never a longer one.
    const std::size_t room = kLongestName - folder.size();
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string name = ".orvale-" + RandomTag(8) + ".tmp";
        if (name.size() > room) name = RandomTag(room);
        std::string candidate = folder + name;
        // Not shared while it is written.
        handle_ = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    return flushed && closed && (kept_ == 0 || SetFileAttributesA(temp_.c_str(), kept_) != 0);
}

bool Win32TempFile::Replace() {
    if (!MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
    temp_.clear();
    return true;
}

}  // namespace

std::unique_ptr<TempFile> Win32TempFiles::Beside(const std::string& target) {
    auto file = std::make_unique<Win32TempFile>(target);
    if (!file->CheckTarget() || !file->CreateTemporary()) return nullptr;
    return file;
}

}  // namespace platform
