#include "tree/ScanRoot.h"

#include "platform/Attributes.h"
#include "tree/NodeText.h"

bool DriveIsReady(platform::FileSystem& files, const std::string& nativeRoot) {
    const std::optional<std::uint32_t> attributes = files.RootAttributes(nativeRoot);
    return attributes && (*attributes & platform::faDirectory);
}

std::optional<ScanRoot> DriveScanRoot(platform::Platform& os, char letter) {
    const std::string nativeRoot = letter ? os.drives.NativeRoot(letter) : std::string();
    if (!DriveIsReady(os.files, nativeRoot)) return std::nullopt;
    const std::string text = std::string(1, letter) + ":\\";
    return ScanRoot{letter, text, nativeRoot, text};
}

std::optional<ScanRoot> FolderScanRoot(platform::Platform& os, const std::string& nativePath) {
    const std::optional<platform::FolderPlace> place = os.drives.Locate(nativePath);
    if (!place) return std::nullopt;
    const std::optional<std::uint32_t> attributes = os.files.Attributes(place->nativePath);
    if (!attributes || !(*attributes & platform::faDirectory)) return std::nullopt;
    if (!os.files.List(place->nativePath, platform::kFolderScanFilter)) return std::nullopt;
    return ScanRoot{place->letter, NodeText(os.files, place->rootText), place->nativePath, place->rootText};
}
