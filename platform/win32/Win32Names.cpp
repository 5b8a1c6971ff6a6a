#include "platform/win32/Win32Names.h"

#include <windows.h>

#include "platform/LongPathForm.h"
#include "platform/WideText.h"
#include "sjis/Cp932.h"

namespace platform {

namespace {

std::u16string Utf16(std::wstring_view wide) { return std::u16string(wide.begin(), wide.end()); }

// A text from a call that writes it into a buffer and answers with its length, or with the
// size it needs (its zero included) when the buffer is too small, or 0 when it fails.
template <typename Call>
std::wstring GrownText(Call call) {
    DWORD size = call(nullptr, 0);
    while (size > 0) {
        std::wstring text(size, L'\0');
        const DWORD length = call(text.data(), size);
        if (length < size) {
            text.resize(length);
            return text;
        }
        size = length;
    }
    return {};
}

// The shell keeps each drive's last folder in a variable named "=D:".
std::u16string DriveFolder(char16_t letter) {
    const wchar_t name[] = {L'=', wchar_t(letter), L':', L'\0'};
    return Utf16(
        GrownText([&name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); }));
}

constexpr bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
constexpr bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::wstring Win32Path(std::string_view nativePath) {
    static const CurrentFolders kProcess{[] { return Utf16(CurrentFolder()); },
                                         [](char16_t letter) { return DriveFolder(sjis::AsciiUpper(char(letter))); }};
    const std::u16string longPath = LongPathForm(Utf16FromNative(nativePath), kProcess);
    return std::wstring(longPath.begin(), longPath.end());
}

std::wstring CurrentFolder() {
    return GrownText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

std::string NativeFromWide(std::wstring_view wide) { return NativeFromUtf16(Utf16(wide)); }

std::string NativeFromArgument(std::wstring_view argument) {
    std::string native = NativeFromWide(argument);
    if (!native.empty() && native.back() == '"') native.back() = '\\';
    return native;
}

std::string Cp932FromWide(std::wstring_view wide) { return sjis::FromUtf16(Utf16(wide)); }

std::string Cp932FromNative(std::string_view native) { return sjis::FromUtf16(Utf16FromNative(native)); }

std::string Utf8FromNative(std::string_view native) {
    std::u16string units = Utf16FromNative(native);
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (IsHigh(units[i]) && i + 1 < units.size() && IsLow(units[i + 1]))
            ++i;
        else if (IsSurrogate(units[i]))
            units[i] = 0xFFFD;
    }
    return NativeFromUtf16(units);
}

}  // namespace platform
