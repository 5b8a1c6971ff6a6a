// Native names and paths between the program (UTF-8) and the wide calls.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/Win32Names.h"
#include "unit/support/Bytes.h"

namespace {

using platform::Cp932FromNative;
using platform::Cp932FromWide;
using platform::NativeFromWide;
using platform::Utf8FromNative;
using platform::Win32Path;

// The system's code page 932 for a text, without best-fit guesses.
std::string SystemCp932(const std::wstring& text) {
    std::string out(text.size() * 2 + 1, '\0');
    BOOL defaulted = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), out.data(),
                                           int(out.size()), "?", &defaulted);
    out.resize(length > 0 ? std::size_t(length) : 0);
    return out;
}

// Windows allows a lone surrogate in a name (Wine cannot make one): it names the same file
// again, reads as one "?" as the system's own conversion gives it, and as U+FFFD in UTF-8.
TEST(Win32Names, ALoneSurrogateIsOneCharacterThatNoCodePageSpells) {
    const std::wstring lone{L'a', wchar_t(0xD800), L'b', wchar_t(0xDC01)};
    const std::string native = NativeFromWide(lone);
    EXPECT_EQ(native, Bytes({'a', 0xED, 0xA0, 0x80, 'b', 0xED, 0xB0, 0x81}));
    EXPECT_EQ(Cp932FromNative(native), "a?b?");
    EXPECT_EQ(Cp932FromNative(native), SystemCp932(lone));
    EXPECT_EQ(Utf8FromNative(native), Bytes({'a', 0xEF, 0xBF, 0xBD, 'b', 0xEF, 0xBF, 0xBD}));
    EXPECT_EQ(Win32Path("c:\\" + native), L"\\\\?\\C:\\" + lone);

    // A pair is one character: one "?", as the Linux build writes it (the system's own
    // conversion makes one of each half), and itself in UTF-8.
    EXPECT_EQ(Cp932FromNative("😀"), "?");
    EXPECT_EQ(Cp932FromWide(L"\xD83D\xDE00"), "?");
    EXPECT_EQ(Utf8FromNative("😀"), "😀");
}

// The one path function with the process's own current folders.
TEST(Win32Names, RelativePathsAreTakenFromTheProcess) {
    wchar_t saved[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(L"C:\\windows"));
    EXPECT_EQ(Win32Path("system32\\..\\한글"), L"\\\\?\\C:\\windows\\\xD55C\xAE00");
    EXPECT_EQ(Win32Path("\\x"), L"\\\\?\\C:\\x");
    EXPECT_EQ(Win32Path("c:."), L"\\\\?\\C:\\windows");
    ASSERT_TRUE(SetEnvironmentVariableW(L"=D:", L"D:\\Photos"));
    EXPECT_EQ(Win32Path("d:x/y"), L"\\\\?\\D:\\Photos\\x\\y");
    SetEnvironmentVariableW(L"=D:", nullptr);
    EXPECT_EQ(Win32Path("d:x"), L"\\\\?\\D:\\x");
    EXPECT_EQ(platform::CurrentFolder(), L"C:\\windows");
    SetCurrentDirectoryW(saved);
    EXPECT_EQ(Win32Path(""), L"");
}

}  // namespace
