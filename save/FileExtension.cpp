#include "save/FileExtension.h"

#include "sjis/Cp932.h"

namespace save {

std::string_view FileExtension(std::string_view name) {
    for (std::size_t p = name.size(); p-- > 0;) {
        const char byte = name[p];
        if (byte == '\\' && sjis::IsSecondByte(name, p)) {
            --p;  // the character's first byte goes with it
            continue;
        }
        if (byte == '.') return name.substr(p);
        if (byte == '\\' || byte == '/' || byte == ':') return {};
    }
    return {};
}

SaveChoice ChooseFormat(std::string_view name, int filterIndex) {
    SaveChoice choice;
    std::string extension = sjis::AsciiLower(FileExtension(name));
    if (extension.empty()) {
        if (filterIndex == 1) choice.appended = ".txt";
        if (filterIndex == 2) choice.appended = ".htm";
        extension = choice.appended;
    }
    if (extension == ".txt") choice.format = SaveFormat::kText;
    if (extension == ".htm" || extension == ".html") choice.format = SaveFormat::kHtml;
    return choice;
}

}  // namespace save
