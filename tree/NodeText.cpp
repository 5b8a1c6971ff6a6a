#include "tree/NodeText.h"

std::string WithoutControls(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

std::string NodeText(platform::FileSystem& files, std::string_view nativeName) {
    return WithoutControls(files.DisplayName(nativeName));
}

std::string Utf8NodeText(platform::FileSystem& files, std::string_view nativeName) {
    return WithoutControls(files.Utf8Name(nativeName));
}
