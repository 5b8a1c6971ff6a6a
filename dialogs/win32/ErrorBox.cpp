#include "dialogs/win32/ErrorBox.h"

#include "dialogs/win32/ModalScope.h"
#include "resources/Texts.h"
#include "sjis/WinText.h"

void ShowWin32ErrorBox(const std::string& text) {
    const ModalScope modal(nullptr);
    const std::wstring caption = WideFromCp932(texts::Cp932(texts::kAppTitle));
    MessageBoxW(modal.PreviouslyActive(), WideFromCp932(text).c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}
