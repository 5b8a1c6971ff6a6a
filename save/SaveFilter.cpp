#include "save/SaveFilter.h"

#include "sjis/Cp932.h"

namespace save {

namespace {

std::vector<std::string> SplitOn(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        if (text[p] == separator && !sjis::IsSecondByte(text, p)) {
            parts.emplace_back(text.substr(start, p - start));
            start = p + 1;
        }
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

}  // namespace

std::vector<FilterEntry> SplitFilter(std::string_view filter) {
    std::vector<FilterEntry> entries;
    if (filter.empty()) return entries;
    const std::vector<std::string> fields = SplitOn(filter, '|');
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) entries.push_back({fields[i], SplitOn(fields[i + 1], ';')});
    return entries;
}

}  // namespace save
