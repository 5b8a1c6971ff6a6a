#include <sys/stat.h>

#include "save/SavePath.h"
#include "sjis/Cp932.h"

namespace save {

SavePath SavePath::FromNative(std::string_view native) { return {sjis::FromUtf8(native), std::string(native)}; }

bool SavePath::NamesExistingFile() const {
    struct stat info {};
    return lstat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace save
