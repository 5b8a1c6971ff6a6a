#include "save/SavePath.h"

#include <sys/stat.h>

#include "sjis/Cp932.h"

namespace save {

SavePath SavePath::FromNative(std::string_view native) { return {sjis::FromUtf8(native), std::string(native)}; }

SavePath SavePath::WithSuffix(std::string_view ascii) const {
    return {name + std::string(ascii), native + std::string(ascii)};
}

bool SavePath::NamesExistingFile() const {
    struct stat info {};
    return lstat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace save
