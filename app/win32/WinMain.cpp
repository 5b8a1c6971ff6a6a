// Orvale.exe: the program entry of the Windows window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/win32/CommandLine.h"
#include "app/win32/Unit1.h"
#include "dialogs/win32/ScreenFolderDialog.h"
#include "dialogs/win32/ScreenPresenter.h"
#include "resources/Texts.h"
#include "save/win32/ScreenSaveDialog.h"
#include "sjis/WinText.h"

namespace {

constexpr int kUsageError = 2;

// A window program has no console to write to: the usage goes in a message box.
void ShowUsage(bool mistake) {
    const std::wstring caption = WideFromCp932(texts::Cp932(texts::kAppTitle));
    const std::wstring usage = WideFromCp932(texts::Cp932(texts::kOrvaleUsage));
    MessageBoxW(nullptr, usage.c_str(), caption.c_str(), MB_OK | (mistake ? MB_ICONSTOP : MB_ICONINFORMATION));
}

int RunWindow(const CommandLine& line, int showCommand) {
    TForm1 Form1;
    ScreenPresenter messages;
    ScreenSaveDialog saveDialog(Form1.Handle());
    ScreenFolderDialog folderDialog(Form1.Handle());
    DialogPresenter::UseScreen(messages);
    SaveDialogPresenter::UseScreen(saveDialog);
    FolderDialogPresenter::UseScreen(folderDialog);
    if (line.folder) Form1.ScanFolderWhenShown(*line.folder);
    Form1.Show(showCommand);
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (Form1.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? int(message.wParam) : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
    const CommandLine line = ReadCommandLine(ProcessArguments());
    if (!line.valid || line.help) {
        ShowUsage(!line.valid);
        return line.valid ? 0 : kUsageError;
    }
    // The common dialogs and the folder picker are COM objects of this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const int status = RunWindow(line, showCommand);
    CoUninitialize();
    return status;
}
