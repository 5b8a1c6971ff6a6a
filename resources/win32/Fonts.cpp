#include "resources/win32/Fonts.h"

#include <string>

#include "resources/Texts.h"
#include "sjis/WinText.h"

namespace {

constexpr int kDesignDpi = 96;
constexpr int kFontPixels = 17;

int CALLBACK FoundFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

std::wstring Face(std::string_view utf8) { return WideFromCp932(texts::Cp932(utf8)); }

}  // namespace

int Scaled(int designPixels, UINT dpi) { return MulDiv(designPixels, int(dpi), kDesignDpi); }

UINT DpiOf(HWND window) {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    return dpi ? dpi : GetDpiForSystem();
}

bool HasFace(std::wstring_view face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const WindowDC screen(nullptr);
    EnumFontFamiliesExW(screen, &wanted, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

std::wstring_view FirstFace(std::initializer_list<std::wstring_view> faces) {
    for (std::wstring_view face : faces)
        if (HasFace(face)) return face;
    return *faces.begin();
}

FontHandle CreateCharacterFont(std::wstring_view face, int pixels, BYTE pitchAndFamily) {
    LOGFONTW font{};
    font.lfHeight = -pixels;  // negative: the characters' own height
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = pitchAndFamily;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

FontHandle CreateWindowFont(UINT dpi) {
    const std::wstring designed = Face(texts::kWindowFontFace);
    const std::wstring_view face = FirstFace({designed, L"MS PGothic", L"IPAPGothic", L"Yu Gothic", L"Meiryo"});
    return CreateCharacterFont(face, Scaled(kFontPixels, dpi), VARIABLE_PITCH | FF_SWISS);
}

FontHandle CreateMemoFont(UINT dpi) {
    const std::wstring designed = Face(texts::kMemoFontFace);
    const std::wstring_view face = FirstFace({designed, L"MS Mincho", L"IPAMincho", L"Yu Mincho"});
    return CreateCharacterFont(face, Scaled(kFontPixels, dpi), FIXED_PITCH | FF_ROMAN);
}
