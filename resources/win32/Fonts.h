#pragma once
// The window's fonts: a named Japanese face at a pixel height, or a face of the same kind
// where the system lacks it.
#include <windows.h>

#include <initializer_list>
#include <string_view>

#include "resources/win32/Gdi.h"

// Screen pixels of `designPixels` at `dpi` (96 is the designed 100 %).
int Scaled(int designPixels, UINT dpi);

// The DPI a window is drawn at.
UINT DpiOf(HWND window);

// Whether the system has a font family of that name.
bool HasFace(std::wstring_view face);

// The first of `faces` the system has; the first one when it has none of them, so the font
// mapper picks the nearest.
std::wstring_view FirstFace(std::initializer_list<std::wstring_view> faces);

// A Shift-JIS font whose characters are `pixels` high (internal leading not counted).
FontHandle CreateCharacterFont(std::wstring_view face, int pixels, BYTE pitchAndFamily);

// The window font ("ＭＳ Ｐゴシック") and the editor font ("ＭＳ 明朝"), 17 designed pixels
// high, or a Japanese Gothic or Mincho face where they are missing.
FontHandle CreateWindowFont(UINT dpi);
FontHandle CreateMemoFont(UINT dpi);
