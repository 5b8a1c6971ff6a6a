// Asks Windows what a user of the released files meets: the version Explorer shows for a
// program, where a shortcut leads, and what an Explorer entry starts. Prints UTF-8.
//   windows_probe version PROGRAM.exe
//   windows_probe shortcut LINK.lnk
//   windows_probe open VERB CLASS PATH     (CLASS: Directory or Drive)
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void Print(const char* name, const std::wstring& value) { std::printf("%s=%s\n", name, Utf8(value).c_str()); }

int Version(const std::wstring& program) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data())) {
        std::printf("error=no version resource (%lu)\n", GetLastError());
        return 1;
    }
    void* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
        std::printf("FixedProductVersion=%d.%d.%d.%d\n", HIWORD(info->dwProductVersionMS),
                    LOWORD(info->dwProductVersionMS), HIWORD(info->dwProductVersionLS),
                    LOWORD(info->dwProductVersionLS));
    }
    for (const char* name : {"ProductName", "ProductVersion", "FileDescription", "FileVersion", "OriginalFilename"}) {
        const std::wstring key = L"\\StringFileInfo\\041104B0\\" + std::wstring(name, name + std::strlen(name));
        void* value = nullptr;
        if (VerQueryValueW(block.data(), key.c_str(), &value, &length) && length > 0)
            Print(name, std::wstring(static_cast<const wchar_t*>(value), length - 1));
    }
    return 0;
}

int Shortcut(const std::wstring& link) {
    IShellLinkW* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell))))
        return 1;
    IPersistFile* file = nullptr;
    int status = 1;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH * 4] = {};
            shell->GetPath(text, int(std::size(text)), nullptr, 0);
            Print("Target", text);
            text[0] = 0;
            shell->GetArguments(text, int(std::size(text)));
            Print("Arguments", text);
            status = 0;
        }
        file->Release();
    }
    shell->Release();
    return status;
}

int Open(const std::wstring& verb, const std::wstring& type, const std::wstring& path) {
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_CLASSNAME | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = verb.c_str();
    execute.lpClass = type.c_str();
    execute.lpFile = path.c_str();
    execute.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&execute)) {
        std::printf("error=%lu\n", GetLastError());
        return 1;
    }
    std::printf("started\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::vector<std::wstring> arguments(argv + 1, argv + argc);
    int status = 2;
    if (arguments.size() == 2 && arguments[0] == L"version") status = Version(arguments[1]);
    if (arguments.size() == 2 && arguments[0] == L"shortcut") status = Shortcut(arguments[1]);
    if (arguments.size() == 4 && arguments[0] == L"open") status = Open(arguments[1], arguments[2], arguments[3]);
    std::fflush(stdout);
    CoUninitialize();
    return status;
}
