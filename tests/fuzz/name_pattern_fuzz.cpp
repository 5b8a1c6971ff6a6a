// Names left out: a pattern and a name drawn from a small alphabet (wildcards, letters of
// both cases, a surrogate pair and its halves, a lone surrogate) matched by NamePatterns
// beside a plain recursive reference over characters.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"
#include "platform/NameOrder.h"
#include "tree/NamePatterns.h"

namespace {

// Units a pattern or a name is made of: the pair D83D DE00 is 😀.
constexpr char16_t kUnits[] = {u'*',         u'?',         u'a',         u'A',   u'b',   u'.',
                               0xE9 /* é */, 0xC9 /* É */, 0xDF /* ß */, 0xD83D, 0xDE00, 0xD800};

std::u16string Draw(fuzz::FuzzInput& input, bool wildcards) {
    std::u16string text;
    for (std::uint32_t length = input.Below(12); length > 0; --length) {
        const std::uint32_t first = wildcards ? 0 : 2;
        text += kUnits[first + input.Below(std::uint32_t(std::size(kUnits)) - first)];
    }
    return text;
}

// Characters: a high surrogate followed by a low one is one, every other unit one of its own.
std::vector<std::u16string> Characters(const std::u16string& text) {
    std::vector<std::u16string> characters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                          text[i + 1] <= 0xDFFF;
        characters.push_back(text.substr(i, pair ? 2 : 1));
        if (pair) ++i;
    }
    return characters;
}

std::u16string Upper(std::u16string text) {
    for (char16_t& unit : text) unit = platform::UpperCaseUnit(unit);
    return text;
}

bool Reference(const std::vector<std::u16string>& pattern, std::size_t p, const std::vector<std::u16string>& name,
               std::size_t n) {
    if (p == pattern.size()) return n == name.size();
    if (pattern[p] == u"*")
        return Reference(pattern, p + 1, name, n) || (n < name.size() && Reference(pattern, p, name, n + 1));
    if (n == name.size()) return false;
    if (pattern[p] != u"?" && pattern[p] != name[n]) return false;
    return Reference(pattern, p + 1, name, n + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const std::u16string pattern = Draw(input, true);
    // A name may hold "*" and "?" too (Linux allows them): they are characters like others.
    const std::u16string name = Draw(input, input.Flag());
    NamePatterns patterns;
    patterns.Add(pattern);
    const bool expected = Reference(Characters(Upper(pattern)), 0, Characters(Upper(name)), 0);
    fuzz::Require(patterns.Match(name) == expected, "a pattern matches a name as the reference says");
    return 0;
}
