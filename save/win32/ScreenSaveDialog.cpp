#include "save/win32/ScreenSaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "dialogs/win32/ModalScope.h"
#include "platform/WideText.h"
#include "resources/Texts.h"
#include "save/DialogPlacement.h"
#include "save/SaveFilter.h"
#include "sjis/WinText.h"

namespace {

// Room for long paths: a name the dialog could not return whole would read as a cancel.
constexpr std::size_t kNameRoom = 32768;

constexpr UINT kPlaceAgain = WM_APP + 1;

// Centred across the main window's monitor, one third of the free height above; moved,
// neither resized nor raised nor activated.
void Place(HWND hook) {
    HWND dialog = GetParent(hook);
    const auto owner = reinterpret_cast<HWND>(GetWindowLongPtrW(hook, GWLP_USERDATA));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& m = monitor.rcMonitor;
    RECT outer{};
    GetWindowRect(dialog, &outer);
    const save::Placement place = save::SaveDialogPlacement(m.left, m.top, m.right - m.left, m.bottom - m.top,
                                                            outer.right - outer.left, outer.bottom - outer.top);
    SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Placed as soon as the dialog has finished its initialisation, and once more when it is up,
// for a system that places the dialog itself after telling its hook (Wine centres it on its
// owner then).
UINT_PTR CALLBACK PlaceWhenReady(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(hook, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEW*>(lParam)->lCustData);
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
                Place(hook);
                PostMessageW(hook, kPlaceAgain, 0, 0);
            }
            return 0;
        case kPlaceAgain: Place(hook); return TRUE;
        default: return 0;
    }
}

}  // namespace

std::wstring ScreenSaveDialog::FilterPairs() {
    std::wstring pairs;
    for (const save::FilterEntry& entry : save::SplitFilter(texts::Cp932(texts::kSaveFilter))) {
        pairs += WideFromCp932(entry.description);
        pairs += L'\0';
        for (std::size_t i = 0; i < entry.patterns.size(); ++i) {
            if (i > 0) pairs += L';';
            pairs += WideFromCp932(entry.patterns[i]);
        }
        pairs += L'\0';
    }
    pairs += L'\0';
    return pairs;
}

bool ScreenSaveDialog::Present(TSaveDialog& saveDialog) {
    const std::wstring filter = FilterPairs();
    std::vector<wchar_t> name(kNameRoom, L'\0');
    // The name accepted last, exactly as the dialog gave it.
    const std::u16string shown = platform::Utf16FromNative(saveDialog.NativeFileName);
    std::copy_n(shown.begin(), std::min(shown.size(), kNameRoom - 1), name.begin());
    HWND owner = owner_;

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = DWORD(saveDialog.FilterIndex);
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(kNameRoom);
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    dialog.lpfnHook = PlaceWhenReady;
    dialog.lCustData = reinterpret_cast<LPARAM>(owner);

    bool accepted = false;
    {
        const ModalScope modal(nullptr);
        accepted = GetSaveFileNameW(&dialog) != FALSE;
    }
    if (!accepted) return false;
    saveDialog.Accept(PathOf(name.data()), int(dialog.nFilterIndex));
    return true;
}

save::SavePath ScreenSaveDialog::PathOf(const std::wstring& returned) {
    return {Cp932FromWide(returned), platform::NativeFromUtf16(std::u16string(returned.begin(), returned.end()))};
}
