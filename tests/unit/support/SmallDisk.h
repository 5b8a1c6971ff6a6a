#pragma once
// A 64 KiB tmpfs mounted on a fresh folder, for a disk that really fills up. Mounting
// needs CAP_SYS_ADMIN; without it Mounted() is false and the caller skips.
#include <sys/mount.h>

#include <set>
#include <string>

#include "unit/support/TempFolder.h"

class SmallDisk {
public:
    SmallDisk() : mounted_(mount("tmpfs", folder_.Path().c_str(), "tmpfs", 0, "size=64k") == 0) {}
    ~SmallDisk() {
        if (mounted_) umount(folder_.Path().c_str());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    std::string operator/(const std::string& name) const { return folder_ / name; }
    std::set<std::string> Names() const { return folder_.Names(); }

private:
    TempFolder folder_;
    bool mounted_;
};
