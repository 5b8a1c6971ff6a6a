#include "save/SavePath.h"

#include <sys/stat.h>

#include "sjis/Cp932.h"

namespace save {

SavePath SavePath::FromNative(std::string_view native) { return {sjis::FromUtf8(native), std::string(native)}; }

SavePath SavePath::FromCp932(std::string_view cp932) { return {std::string(cp932), sjis::ToUtf8(cp932)}; }

SavePath SavePath::WithSuffix(std::string_view ascii) const {
    return {name + std::string(ascii), native + std::string(ascii)};
}

bool SavePath::NamesExistingFile() const {
    struct stat info {};
    return lstat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace save
