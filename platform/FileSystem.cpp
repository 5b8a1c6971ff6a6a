#include "platform/FileSystem.h"

#include "sjis/Cp932.h"

namespace platform {

std::string FileSystem::Utf8Name(std::string_view nativeName) { return sjis::ToUtf8(DisplayName(nativeName)); }

std::u16string FileSystem::Utf16Name(std::string_view nativeName) { return sjis::ToUtf16(DisplayName(nativeName)); }

}  // namespace platform
