#include "drives/FolderRootText.h"

namespace drives {

namespace {

std::string_view WithoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    return path;
}

// Whether `path` is `point` or lies below it, comparing whole names.
bool Holds(std::string_view point, std::string_view path) {
    point = WithoutTrailingSlashes(point);
    if (point == "/") return !path.empty() && path.front() == '/';
    return path.substr(0, point.size()) == point && (path.size() == point.size() || path[point.size()] == '/');
}

}  // namespace

const DriveMount* HoldingDrive(const std::vector<DriveMount>& drives, std::string_view realPath) {
    realPath = WithoutTrailingSlashes(realPath);
    const DriveMount* best = nullptr;
    for (const DriveMount& drive : drives) {
        const std::size_t length = WithoutTrailingSlashes(drive.mountPoint).size();
        if (Holds(drive.mountPoint, realPath) && (!best || length > WithoutTrailingSlashes(best->mountPoint).size()))
            best = &drive;
    }
    return best;
}

std::optional<std::string> FolderRootText(const std::vector<DriveMount>& drives, std::string_view realPath) {
    const DriveMount* drive = HoldingDrive(drives, realPath);
    if (!drive) return std::nullopt;
    realPath = WithoutTrailingSlashes(realPath);
    std::string text(1, drive->letter);
    text += ":\\";
    const std::string_view point = WithoutTrailingSlashes(drive->mountPoint);
    std::string_view rest = realPath.substr(point == "/" ? 0 : point.size());
    // Names between slashes; empty ones (doubled slashes) are no names.
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of('/');
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::size_t end = rest.find('/');
        text += rest.substr(0, end);
        text += '\\';
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return text;
}

}  // namespace drives
