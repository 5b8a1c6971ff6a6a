#include "dialogs/win32/ScreenFolderDialog.h"

#include <shobjidl.h>

#include <memory>

#include "dialogs/win32/ModalScope.h"
#include "platform/WideText.h"
#include "resources/Texts.h"
#include "sjis/WinText.h"

namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, Releaser>;

std::wstring Wide(const std::string& native) {
    const std::u16string units = platform::Utf16FromNative(native);
    return {units.begin(), units.end()};
}

// The picker, set up to choose one folder of the file system.
ComPtr<IFileOpenDialog> FolderPicker(const std::string& start) {
    IFileOpenDialog* raw = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&raw))))
        return nullptr;
    ComPtr<IFileOpenDialog> picker(raw);
    FILEOPENDIALOGOPTIONS options = 0;
    picker->GetOptions(&options);
    picker->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    picker->SetTitle(WideFromCp932(texts::Cp932(texts::kFolderDialogTitle)).c_str());
    const DWORD attributes = start.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Wide(start).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        IShellItem* folder = nullptr;
        if (SUCCEEDED(SHCreateItemFromParsingName(Wide(start).c_str(), nullptr, IID_PPV_ARGS(&folder)))) {
            picker->SetFolder(folder);
            folder->Release();
        }
    }
    return picker;
}

}  // namespace

bool ScreenFolderDialog::Present(FolderDialog& folders) {
    const ComPtr<IFileOpenDialog> picker = FolderPicker(folders.Start());
    if (!picker) return false;
    {
        const ModalScope modal(nullptr);
        if (FAILED(picker->Show(owner_))) return false;
    }
    IShellItem* raw = nullptr;
    if (FAILED(picker->GetResult(&raw))) return false;
    const ComPtr<IShellItem> chosen(raw);
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) return false;
    const std::u16string units(path, path + wcslen(path));
    CoTaskMemFree(path);
    folders.Accept(platform::NativeFromUtf16(units));
    return true;
}
