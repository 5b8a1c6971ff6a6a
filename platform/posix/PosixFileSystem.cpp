#include "platform/posix/PosixFileSystem.h"

#include <sys/stat.h>

#include "platform/Attributes.h"

namespace platform {

std::optional<std::uint32_t> PosixFileSystem::Attributes(const std::string& nativePath) {
    struct stat info {};
    if (::stat(nativePath.c_str(), &info) != 0) return std::nullopt;
    return S_ISDIR(info.st_mode) ? std::uint32_t(faDirectory) : 0u;
}

std::unique_ptr<FolderListing> PosixFileSystem::List(const std::string&, std::uint32_t) { return nullptr; }

std::string PosixFileSystem::SubfolderPath(const std::string& nativeFolder, const std::string& nativeName) {
    return nativeFolder + nativeName + "/";
}

}  // namespace platform
