#include "sjis/WinText.h"

#include "sjis/Cp932.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 code units");

std::wstring WideFromCp932(std::string_view cp932) {
    const std::u16string wide = sjis::ToUtf16(cp932);
    return {wide.begin(), wide.end()};
}

std::string Cp932FromWide(std::wstring_view text) {
    const std::u16string units(text.begin(), text.end());
    return sjis::FromUtf16(units);
}
