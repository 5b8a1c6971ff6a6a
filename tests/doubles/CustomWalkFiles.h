#pragma once
// The Linux file system with a walk of the caller's own, for measuring or hooking the walk:
// every other call is the program's own, without read-ahead.
#include "platform/posix/PosixFileSystem.h"

namespace platform {

class CustomWalkFiles : public FileSystem {
public:
    std::optional<std::uint32_t> Attributes(const std::string& path) override { return plain_.Attributes(path); }
    std::unique_ptr<FolderListing> List(const std::string& folder, std::uint32_t filter) override {
        return plain_.List(folder, filter);
    }
    std::string SubfolderPath(const std::string& folder, std::string_view name) override {
        return plain_.SubfolderPath(folder, name);
    }
    std::string DisplayName(std::string_view name) override { return plain_.DisplayName(name); }
    std::string Utf8Name(std::string_view name) override { return plain_.Utf8Name(name); }
    std::u16string Utf16Name(std::string_view name) override { return plain_.Utf16Name(name); }
    std::optional<std::uint32_t> RootAttributes(const std::string& root) override {
        return plain_.RootAttributes(root);
    }
    std::unique_ptr<FolderWalk> Walk(const std::string& folder) override = 0;

protected:
    PosixFileSystem plain_{0};
};

}  // namespace platform
