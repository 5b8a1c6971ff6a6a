#pragma once
// The one place where code page 932 bytes meet the Windows window's UTF-16 strings, whatever
// the system's ANSI code page is.
#include <string>
#include <string_view>

std::wstring WideFromCp932(std::string_view cp932);
// Characters code page 932 cannot spell become "?".
std::string Cp932FromWide(std::wstring_view text);
