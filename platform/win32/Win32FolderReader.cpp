#include "platform/win32/Win32FolderReader.h"

#include <windows.h>

#include "platform/win32/ReadFolder.h"
#include "platform/win32/Win32Names.h"

namespace platform {

namespace {

struct FolderPath final : ReadPlace {
    explicit FolderPath(std::string folder) : path(std::move(folder)) {}
    const std::string path;
};

// The thread's processor time, in 100 ns units.
std::uint64_t ThreadTime() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto units = [](const FILETIME& time) { return (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return units(kernel) + units(user);
}

// A slow listing waited when the thread spent less than half of it on the processor since
// the last look (a preempted listing spends none of it, but is not slow as a rule).
class ThreadTimeWatch final : public ListingWatch {
public:
    ThreadTimeWatch() : used_(ThreadTime()) {}
    bool Waited(std::chrono::steady_clock::duration took) override {
        if (took < Win32FolderReader::kSlowRead) return false;
        const std::uint64_t before = used_;
        used_ = ThreadTime();
        const auto busy = std::chrono::microseconds((used_ - before) / 10);
        return busy * 2 < took;
    }
    void Restart() override { used_ = ThreadTime(); }

private:
    std::uint64_t used_;
};

bool ShortOfResources(DWORD error) {
    return error == ERROR_NOT_ENOUGH_MEMORY || error == ERROR_OUTOFMEMORY || error == ERROR_NO_SYSTEM_RESOURCES ||
           error == ERROR_TOO_MANY_OPEN_FILES;
}

}  // namespace

bool OnShare(const std::string& nativeFolder) {
    const bool unc = nativeFolder.size() > 2 && (nativeFolder[0] == '\\' || nativeFolder[0] == '/') &&
                     (nativeFolder[1] == '\\' || nativeFolder[1] == '/');
    if (unc) return true;
    if (nativeFolder.size() < 2 || nativeFolder[1] != ':') return false;
    const wchar_t root[] = {wchar_t(nativeFolder[0]), L':', L'\\', 0};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}

Win32FolderReader::Win32FolderReader(std::string nativeRoot) : root_(std::move(nativeRoot)), remote_(OnShare(root_)) {
    if (!root_.empty() && root_.back() != '\\' && root_.back() != '/') root_ += '\\';
}

FolderRead Win32FolderReader::Read(const ReadPlace* base, std::span<const std::string> names, std::uint32_t filter,
                                   bool keepPlace, const std::atomic<bool>& stop) {
    std::string path = base ? static_cast<const FolderPath*>(base)->path : root_;
    for (const std::string& name : names) {
        path += name;
        path += '\\';
    }
    FolderRead read;
    std::optional<FolderEntries> entries = ReadFolder(path, filter, &stop);
    if (!entries) {
        read.status =
            ShortOfResources(GetLastError()) ? FolderRead::Status::kNoAnswer : FolderRead::Status::kUnreadable;
        return read;
    }
    read.status = FolderRead::Status::kListed;
    read.entries = std::move(*entries);
    if (keepPlace && read.entries.HasSubfolders()) read.place = std::make_shared<const FolderPath>(std::move(path));
    return read;
}

std::unique_ptr<ListingWatch> Win32FolderReader::Watch() { return std::make_unique<ThreadTimeWatch>(); }

}  // namespace platform
