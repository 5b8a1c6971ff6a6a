#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/EntriesListing.h"
#include "platform/ReadAheadWalk.h"
#include "platform/WideText.h"
#include "platform/win32/ReadFolder.h"
#include "platform/win32/Win32FolderReader.h"
#include "platform/win32/Win32FolderWalk.h"
#include "platform/win32/Win32Names.h"

namespace platform {

std::optional<std::uint32_t> Win32FileSystem::Attributes(const std::string& nativePath) {
    const std::wstring path = Win32Path(nativePath);
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return std::uint32_t(attributes);
}

std::unique_ptr<FolderListing> Win32FileSystem::List(const std::string& nativeFolder, std::uint32_t filter) {
    std::optional<FolderEntries> entries = ReadFolder(nativeFolder, filter);
    if (!entries) return nullptr;
    return std::make_unique<EntriesListing>(std::make_shared<const FolderEntries>(std::move(*entries)));
}

std::string Win32FileSystem::SubfolderPath(const std::string& nativeFolder, std::string_view nativeName) {
    std::string path = nativeFolder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    path += nativeName;
    path += '\\';
    return path;
}

std::string Win32FileSystem::DisplayName(std::string_view nativeName) { return Cp932FromNative(nativeName); }

std::string Win32FileSystem::Utf8Name(std::string_view nativeName) { return Utf8FromNative(nativeName); }

// A lone surrogate stays what it is: a pattern typed on the command line meets it as the
// system spells it.
std::u16string Win32FileSystem::Utf16Name(std::string_view nativeName) { return Utf16FromNative(nativeName); }

std::unique_ptr<FolderWalk> Win32FileSystem::Walk(const std::string& nativeFolder) {
    if (!readAheadThreads_) return std::make_unique<Win32FolderWalk>(nativeFolder);
    return std::make_unique<ReadAheadWalk>(
        std::make_shared<Win32FolderReader>(nativeFolder),
        ReadAheadLimits{readAheadThreads_, kFoldersAhead, kBytesAhead, FirstReadAheadThreads()});
}

}  // namespace platform
