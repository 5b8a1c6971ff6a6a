#include "app/win32/FolderDrop.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "platform/WideText.h"

namespace folderdrop {

namespace {

constexpr UINT_PTR kSubclassId = 0x0D0D;

LRESULT CALLBACK DropProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* handler = reinterpret_cast<Handler*>(data);
    if (message == WM_DROPFILES) {
        const auto drop = reinterpret_cast<HDROP>(wParam);
        const std::optional<std::string> folder = FirstFolder(drop);
        DragFinish(drop);
        if (folder) (*handler)(*folder);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, DropProc, kSubclassId);
        delete handler;  // owned by the window's subclass, which ends here
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void Install(HWND target, Handler onFolder) {
    auto handler = std::make_unique<Handler>(std::move(onFolder));
    if (SetWindowSubclass(target, DropProc, kSubclassId, reinterpret_cast<DWORD_PTR>(handler.get()))) handler.release();
    DragAcceptFiles(target, TRUE);
}

std::optional<std::string> FirstFolder(HDROP drop) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), length + 1));
        const DWORD attributes = GetFileAttributesW(name.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return platform::NativeFromUtf16(std::u16string(name.begin(), name.end()));
    }
    return std::nullopt;
}

}  // namespace folderdrop
