#pragma once
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>

#include "cli/Messages.h"

class TTreeNodes;

namespace cli {

// One line on a terminal that tells how the scan goes: the folders found so far and the time
// taken, written over itself at most ten times a second, and wiped at the end.
class ScanProgress {
public:
    ScanProgress(const TTreeNodes& nodes, const Messages& messages, std::FILE* terminal);
    ~ScanProgress() { Clear(); }
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // At every ESC poll of the scan: cheap until a tenth of a second has gone by.
    void Poll();
    // The line as it stands now.
    void Show();
    // Wipes the line; the cursor ends where it began.
    void Clear();

    // Columns a text takes: every character beyond ASCII counts as one full-width character.
    static std::size_t Columns(std::string_view text, TextEncoding encoding);

private:
    void Put(const std::string& text);

    const TTreeNodes& nodes_;
    const Messages& messages_;
    std::FILE* terminal_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point shown_;
    unsigned polls_ = 0;
    std::size_t columns_ = 0;  // of the line on the terminal now
};

}  // namespace cli
