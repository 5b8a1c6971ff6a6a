#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace save {

// The lines of a whole editor text (CR LF between lines) as the editor's LineCount and
// LineAt hand them out: the empty piece after a final break is no line, and a line gives
// at most its first linerules::kMaxLineBytes bytes, never half a character. Indexing the
// text once is far cheaper than asking the editor for each line. Borrows the text.
class TextLines {
public:
    explicit TextLines(std::string_view text);
    int Count() const { return int(lines_.size()); }
    std::string At(int index) const;

private:
    std::vector<std::string_view> lines_;
};

}  // namespace save
