#pragma once
// Names left out of a scan: patterns with "*" (any run of characters, none included) and "?"
// (one character), matched against a whole name. Patterns and names meet as UTF-16 code
// units upper-cased one by one, as the listing's name order compares them, so that a pattern
// catches a name whatever its case, on both systems alike: a name as the file system's
// Utf16Name gives it, a pattern typed in the window from its code page 932 text.
#include <string>
#include <string_view>
#include <vector>

class NamePatterns {
public:
    void Add(std::u16string_view pattern);
    bool Empty() const { return patterns_.empty(); }
    // Whether a name matches one of the patterns.
    bool Match(std::u16string_view name) const;

    bool operator==(const NamePatterns& other) const { return patterns_ == other.patterns_; }

private:
    std::vector<std::u16string> patterns_;  // upper-cased
    mutable std::u16string upper_;          // the name being matched, upper-cased
};

// Whether `name` matches `pattern` as a whole, unit for unit (both upper-cased already). A
// surrogate pair is one character to "?" and to "*".
bool MatchesPattern(std::u16string_view pattern, std::u16string_view name);
