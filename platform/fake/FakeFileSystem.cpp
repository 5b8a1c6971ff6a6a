#include "platform/fake/FakeFileSystem.h"

namespace platform {

std::optional<std::uint32_t> FakeFileSystem::Attributes(const std::string&) { return std::nullopt; }
std::unique_ptr<FolderListing> FakeFileSystem::List(const std::string&, std::uint32_t) { return nullptr; }
std::string FakeFileSystem::SubfolderPath(const std::string& nativeFolder, const std::string& nativeName) {
    return nativeFolder + nativeName + "\\";
}

}  // namespace platform
