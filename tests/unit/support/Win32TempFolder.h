#pragma once
// A fresh folder under Windows' temporary folder, made and removed through the wide calls
// with paths in "\\?\" form, so that names in any script and paths of any length work. Names
// and paths are UTF-8, as the program holds them; the conversion is the system's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// UTF-8 to UTF-16 by the system (the program's own conversion is what is tested).
inline std::wstring WideOf(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), int(wide.size()));
    wide.resize(length > 0 ? std::size_t(length) : 0);
    return wide;
}

inline std::string Utf8Of(const std::wstring& wide) {
    std::string utf8(wide.size() * 3, '\0');
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), int(utf8.size()), nullptr, nullptr);
    utf8.resize(length > 0 ? std::size_t(length) : 0);
    return utf8;
}

// The "\\?\" form of a fully qualified drive path, made by hand.
inline std::wstring LongWide(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return L"\\\\?\\" + WideOf(path);
}

class Win32TempFolder {
public:
    Win32TempFolder() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, base);
        wchar_t name[MAX_PATH + 1] = {};
        GetTempFileNameW(base, L"orv", 0, name);  // makes a file: its unique name is reused for a folder
        DeleteFileW(name);
        path_ = Utf8Of(name) + "\\";
        ok_ = CreateDirectoryW(LongWide(path_).c_str(), nullptr) != 0;
    }
    ~Win32TempFolder() { RemoveTree(LongWide(path_)); }
    Win32TempFolder(const Win32TempFolder&) = delete;
    Win32TempFolder& operator=(const Win32TempFolder&) = delete;

    bool ok() const { return ok_; }
    // Fully qualified, ending with "\".
    const std::string& path() const { return path_; }

    // Makes a folder (relative path, no trailing separator) and gives its full path with one.
    std::string Folder(const std::string& relative, DWORD attributes = 0) const {
        const std::string full = path_ + relative;
        EXPECT_TRUE(CreateDirectoryW(LongWide(full).c_str(), nullptr)) << "error " << GetLastError();
        if (attributes) {
            EXPECT_TRUE(SetFileAttributesW(LongWide(full).c_str(), attributes));
        }
        return full + "\\";
    }
    void File(const std::string& relative) const {
        const HANDLE h = CreateFileW(LongWide(path_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        const HANDLE h = FindFirstFileW((folder + L"*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                // A link is removed, never followed.
                if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    RemoveTree(full + L"\\");
                else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveDirectoryW(full.c_str());
                else
                    DeleteFileW(full.c_str());
            } while (FindNextFileW(h, &data));
            FindClose(h);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::string path_;
    bool ok_ = false;
};
