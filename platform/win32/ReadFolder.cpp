#include "platform/win32/ReadFolder.h"

#include <windows.h>

#include <cwchar>

#include "platform/Attributes.h"
#include "platform/win32/Win32Names.h"

namespace platform {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

std::wstring Pattern(std::string_view nativeFolder) {
    std::wstring pattern = Win32Path(nativeFolder);
    if (pattern.empty()) return pattern;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    return pattern;
}

}  // namespace

std::uint32_t ListedAttributes(std::uint32_t fileAttributes, std::uint32_t reparseTag) {
    if (!(fileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return fileAttributes;
    const bool standsForAName = reparseTag == 0 || IsReparseTagNameSurrogate(reparseTag);
    return standsForAName ? fileAttributes | faLink : fileAttributes & ~std::uint32_t(faLink);
}

std::optional<FolderEntries> ReadFolder(std::string_view nativeFolder, std::uint32_t filter,
                                        const std::atomic<bool>* stop) {
    const std::wstring pattern = Pattern(nativeFolder);
    if (pattern.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    WIN32_FIND_DATAW data{};
    // Basic: no short names to fetch; large fetch: fewer round trips to a share.
    const FindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH));
    FolderEntries entries;
    if (find.get() == INVALID_HANDLE_VALUE) {
        // A drive's empty root has not even "." and "..": it lists, empty.
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;
        return entries;
    }
    const std::uint32_t skipped = (faHidden | faSystem | faVolumeLabel) & ~filter;
    do {
        const std::uint32_t attributes = ListedAttributes(data.dwFileAttributes, data.dwReserved0);
        if (attributes & skipped) continue;
        if ((filter & kFoldersOnly) && !(attributes & faDirectory)) continue;
        // The name fills a fixed field; without a zero it takes the whole field.
        const std::size_t length = wcsnlen(data.cFileName, MAX_PATH);
        entries.Add(NativeFromWide(std::wstring_view(data.cFileName, length)), attributes);
    } while ((!stop || !stop->load(std::memory_order_relaxed)) && FindNextFileW(find.get(), &data));
    entries.Sort();
    return entries;
}

}  // namespace platform
