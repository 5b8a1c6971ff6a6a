#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
// On Windows it is made, listed and removed through the A calls, so names are code page
// 932 bytes as the program hands them over.
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
        if (!folder_.ok()) throw std::runtime_error("CreateDirectoryA failed");
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
        WIN32_FIND_DATAA data{};
        const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.insert(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
#else
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
#endif
        return names;
    }

    // Through the C library's narrow names: code page 932 on Windows.
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
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
