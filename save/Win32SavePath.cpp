#include <windows.h>

#include "platform/win32/Win32Names.h"
#include "save/SavePath.h"

namespace save {

SavePath SavePath::FromNative(std::string_view native) {
    return {platform::Cp932FromNative(native), std::string(native)};
}

bool SavePath::NamesExistingFile() const {
    const std::wstring path = platform::Win32Path(native);
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace save
