#include "save/TextLines.h"

#include "text/LineRules.h"

namespace save {

TextLines::TextLines(std::string_view text, TextEncoding encoding) : encoding_(encoding) {
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
        lines_.push_back(text.substr(start, end - start));
    if (start < text.size()) lines_.push_back(text.substr(start));
}

std::string TextLines::At(int index) const {
    if (index < 0 || index >= Count()) return {};
    return LineAt(lines_[std::size_t(index)], encoding_);
}

std::string TextLines::LineAt(std::string_view line, TextEncoding encoding) {
    return std::string(linerules::LeadingPart(line, linerules::kMaxLineBytes, encoding));
}

}  // namespace save
