#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
// On Windows it is made, listed and removed through the wide calls; names are UTF-8 there
// too, as the program hands them over.
#ifdef _WIN32
#include "unit/support/Win32TempFolder.h"
#else
#include <sys/stat.h>

#include <cstdlib>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

class TempFolder {
public:
#ifdef _WIN32
    static constexpr char kSeparator = '\\';

    TempFolder() : path_(folder_.path().substr(0, folder_.path().size() - 1)) {
        if (!folder_.ok()) throw std::runtime_error("CreateDirectoryW failed");
    }
#else
    static constexpr char kSeparator = '/';

    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvale-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
#endif
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + kSeparator + name; }

    // Names directly inside, sorted.
    std::set<std::string> Names() const { return NamesIn(path_); }
    static std::set<std::string> NamesIn(const std::string& folder) {
        std::set<std::string> names;
#ifdef _WIN32
        WIN32_FIND_DATAW data{};
        const HANDLE find = FindFirstFileW((LongWide(folder) + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = Utf8Of(data.cFileName);
            if (name != "." && name != "..") names.insert(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
#else
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
#endif
        return names;
    }

#ifdef _WIN32
    static void Write(const std::string& path, const std::string& bytes) {
        const HANDLE file = CreateFileW(LongWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    // Empty when the file cannot be read.
    static std::string Read(const std::string& path) {
        const HANDLE file = CreateFileW(LongWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return {};
        std::string bytes;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
        CloseHandle(file);
        return bytes;
    }
#else
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
#endif
#ifndef _WIN32
    static mode_t Mode(const std::string& path) {
        struct stat info {};
        stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }
#endif

private:
#ifdef _WIN32
    Win32TempFolder folder_;  // removes the tree, read-only files included
#endif
    std::string path_;
};
