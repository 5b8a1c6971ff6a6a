#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/TextEncoding.h"

namespace save {

// The lines of a whole editor text (CR LF between lines) as the editor's LineCount and
// LineAt hand them out: the empty piece after a final break is no line, and a line gives
// at most its first linerules::kMaxLineBytes bytes, never half a character. Indexing the
// text once is far cheaper than asking the editor for each line. Borrows the text.
class TextLines {
public:
    explicit TextLines(std::string_view text, TextEncoding encoding = TextEncoding::kCp932);
    // A temporary text would be gone before its lines are read.
    explicit TextLines(std::string&& text, TextEncoding encoding = TextEncoding::kCp932) = delete;
    int Count() const { return int(lines_.size()); }
    std::string At(int index) const;

    // What LineAt hands out of one line (no break in it): its first kMaxLineBytes bytes at most.
    static std::string LineAt(std::string_view line, TextEncoding encoding = TextEncoding::kCp932);

private:
    std::vector<std::string_view> lines_;
    TextEncoding encoding_;
};

}  // namespace save
