#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "save/SavePath.h"

namespace platform {
class TempFile;
}

namespace save {

// A file written beside its target and put in the target's place only once every byte
// is written and on disk: a failed save leaves the old file as it was and no partial
// file behind. Every failure is thrown as a SaveError.
class AtomicFile {
public:
    // Refuses a folder, a special file, and a file no one may write (root included; on
    // Windows, a read-only one). The new file comes from the platform's saves.
    explicit AtomicFile(const SavePath& target);
    // A file never committed is removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Buffered; a piece at least as large as the buffer goes out in one request.
    void Write(std::string_view bytes);
    // Flushes, syncs and renames over the target.
    void Commit();

private:
    void Flush();
    void WriteOut(const char* data, std::size_t size);
    [[noreturn]] void FailCreate() const;
    [[noreturn]] static void FailWrite();

    std::string name_;  // code page 932, for the messages
    std::unique_ptr<platform::TempFile> file_;
    std::string buffer_;
};

}  // namespace save
