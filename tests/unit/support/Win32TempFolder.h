#pragma once
// A fresh folder under Windows' temporary folder, made and removed through the A calls,
// so names are code page 932 bytes as the program sees them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

class Win32TempFolder {
public:
    Win32TempFolder() {
        char base[MAX_PATH + 1] = {};
        GetTempPathA(sizeof base, base);
        char name[MAX_PATH + 1] = {};
        GetTempFileNameA(base, "orv", 0, name);  // makes a file: reuse its unique name for a folder
        DeleteFileA(name);
        path_ = std::string(name) + "\\";
        ok_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
    }
    ~Win32TempFolder() { RemoveTree(path_); }
    Win32TempFolder(const Win32TempFolder&) = delete;
    Win32TempFolder& operator=(const Win32TempFolder&) = delete;

    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

    // Makes a folder (relative path, no trailing separator) and gives its full path with one.
    std::string Folder(const std::string& relative, DWORD attributes = 0) const {
        std::string full = path_ + relative;
        EXPECT_TRUE(CreateDirectoryA(full.c_str(), nullptr)) << "error " << GetLastError();
        if (attributes) {
            EXPECT_TRUE(SetFileAttributesA(full.c_str(), attributes));
        }
        return full + "\\";
    }
    void File(const std::string& relative) const {
        HANDLE h = CreateFileA((path_ + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }

private:
    static void RemoveTree(const std::string& folder) {
        WIN32_FIND_DATAA data;
        HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                std::string full = folder + name;
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(full + "\\");
                else
                    DeleteFileA(full.c_str());
            } while (FindNextFileA(h, &data));
            FindClose(h);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string path_;
    bool ok_ = false;
};
