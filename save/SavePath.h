#pragma once
#include <string>
#include <string_view>

namespace save {

// A file name twice: as the program shows and judges it (code page 932) and as the
// file system spells it. A name code page 932 cannot spell keeps its real spelling in
// `native`, so the file still gets the name the user chose.
struct SavePath {
    std::string name;    // code page 932
    std::string native;  // as the file system spells it: UTF-8 (on Windows a lone surrogate in its own three bytes)

    static SavePath FromNative(std::string_view native);

    // The same name with ASCII text added to both spellings.
    SavePath WithSuffix(std::string_view ascii) const;
    // True when something other than a folder has this name.
    bool NamesExistingFile() const;
};

}  // namespace save
