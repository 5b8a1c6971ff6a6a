#include "resources/Texts.h"

#include "sjis/Cp932.h"

namespace texts {

std::string Cp932(std::string_view utf8) { return sjis::FromUtf8(utf8); }

std::string Format(std::string_view utf8, std::string_view argument) {
    std::string text = Cp932(utf8);
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
    return text;
}

}  // namespace texts
