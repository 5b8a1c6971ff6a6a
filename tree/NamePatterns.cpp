#include "tree/NamePatterns.h"

#include "platform/NameOrder.h"

namespace {

constexpr bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Units the character at `at` takes: two for a surrogate pair, else one.
std::size_t CharacterUnits(std::u16string_view text, std::size_t at) {
    return IsHigh(text[at]) && at + 1 < text.size() && IsLow(text[at + 1]) ? 2 : 1;
}

}  // namespace

void NamePatterns::Add(std::u16string_view pattern) {
    std::u16string& upper = patterns_.emplace_back(pattern);
    for (char16_t& unit : upper) unit = platform::UpperCaseUnit(unit);
}

bool NamePatterns::Match(std::u16string_view name) const {
    if (patterns_.empty()) return false;
    upper_.assign(name);
    for (char16_t& unit : upper_) unit = platform::UpperCaseUnit(unit);
    for (const std::u16string& pattern : patterns_)
        if (MatchesPattern(pattern, upper_)) return true;
    return false;
}

// Character by character, left to right; on a mismatch the last "*" takes one character more
// and the rest is tried again from there. Each "*" fixes what the ones before it took, so
// this is never worse than the pattern's length times the name's.
bool MatchesPattern(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        const std::size_t nameUnits = CharacterUnits(name, n);
        if (p < pattern.size()) {
            const std::size_t patternUnits = CharacterUnits(pattern, p);
            if (pattern[p] == u'*') {
                starP = ++p;
                starN = n;
                continue;
            }
            if (pattern[p] == u'?' || pattern.substr(p, patternUnits) == name.substr(n, nameUnits)) {
                p += patternUnits;
                n += nameUnits;
                continue;
            }
        }
        if (starP == std::u16string_view::npos) return false;
        starN += CharacterUnits(name, starN);
        p = starP;
        n = starN;
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}
