#include <windows.h>

#include "save/SavePath.h"

namespace save {

// The A calls take code page 932 names as they are.
SavePath SavePath::FromNative(std::string_view native) { return {std::string(native), std::string(native)}; }

bool SavePath::NamesExistingFile() const {
    const DWORD attributes = GetFileAttributesA(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace save
