#pragma once
// The operating system's half of a safe save: a new file made beside its target that takes
// the target's place. One implementation per system (posix/, win32/); the buffering and the
// failure messages stay with save::AtomicFile.
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class TempFile {
public:
    // Removes the new file unless it has taken the target's place.
    virtual ~TempFile() = default;

    // Every byte, or false.
    virtual bool Write(const char* data, std::size_t size) = 0;
    // Gives the new file what the replaced one keeps, puts it on disk and closes it.
    virtual bool Finish() = 0;
    // Puts the finished file in the target's place.
    virtual bool Replace() = 0;

protected:
    TempFile() = default;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Letters and digits for a name no one else picks.
    static std::string RandomTag(std::size_t length);
};

// Where new files beside a target come from.
class TempFiles {
public:
    virtual ~TempFiles() = default;
    // Checks that `target` (native spelling) may be replaced and makes the new file beside
    // it; nullptr when the target is refused or nothing can be made there.
    virtual std::unique_ptr<TempFile> Beside(const std::string& target) = 0;
};

}  // namespace platform
