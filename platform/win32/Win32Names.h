#pragma once
// Native names and paths as the Windows calls take and give them. The program holds them as
// UTF-8 (a lone surrogate in its own three bytes, platform/WideText.h); the calls speak UTF-16.
#include <string>
#include <string_view>

namespace platform {

// The one way a path reaches the file system: its "\\?\" form (LongPathForm.h), taken
// against the process's current folders where it is not fully qualified.
std::wstring Win32Path(std::string_view nativePath);

// The process's current folder as the system gives it.
std::wstring CurrentFolder();

// A name or a text the system gave, as the program holds it.
std::string NativeFromWide(std::wstring_view wide);

// A command-line argument as the program holds it. A quoted path ending in a backslash
// ("D:\", as Explorer passes a drive) arrives as D:" : the system's splitter reads \" as an
// escaped quote. No Windows name holds a quote, so a closing one is the backslash typed.
std::string NativeFromArgument(std::wstring_view argument);

// Code page 932 through the program's codec: "?" for each character it cannot spell (a lone
// surrogate too), never a best-fit guess.
std::string Cp932FromWide(std::wstring_view wide);
std::string Cp932FromNative(std::string_view native);

// UTF-8 that spells every character; a lone surrogate becomes U+FFFD.
std::string Utf8FromNative(std::string_view native);

}  // namespace platform
