// The second-byte test, the separator test and the extension rule against readings that
// walk the name character by character from its first byte.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/Require.h"
#include "save/FileExtension.h"
#include "sjis/Cp932.h"

namespace {

using fuzz::Require;

// Second bytes when a lead byte takes the byte after it whatever that is: what the rule's
// count of the lead bytes before a position amounts to. At the end, a lead byte left
// alone makes the position after it a second byte: the text ends inside a character.
std::vector<bool> SecondBytes(std::string_view text) {
    std::vector<bool> second(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (fuzz::LeadByte(fuzz::At(text, i))) second[++i] = true;
    return second;
}

// Where the codec's characters start.
std::vector<bool> CharStarts(std::string_view text) {
    std::vector<bool> starts(text.size(), false);
    for (std::size_t i = 0; i < text.size(); i += fuzz::CharBytes(text, i)) starts[i] = true;
    return starts;
}

bool IsDelimiter(char c) { return c == '.' || c == '\\' || c == '/' || c == ':'; }

// From the last "." to the end when no other delimiter character comes after it.
std::string_view Extension(std::string_view name) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); i += fuzz::CharBytes(name, i))
        if (fuzz::CharBytes(name, i) == 1 && IsDelimiter(name[i])) last = i;
    if (last == std::string_view::npos || name[last] != '.') return {};
    return name.substr(last);
}

std::string AsciiSmall(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

void CheckSecondBytes(std::string_view name) {
    const std::vector<bool> second = SecondBytes(name);
    const std::vector<bool> starts = CharStarts(name);
    for (std::size_t pos = 0; pos <= name.size() + 1; ++pos) {
        const bool expected = pos < second.size() && second[pos];
        Require(sjis::IsSecondByte(name, pos) == expected, "a second byte is one a lead byte before it takes");
        // Where it matters, a 0x5C, the codec's reading agrees.
        if (pos < name.size() && name[pos] == '\\')
            Require(!starts[pos] == expected, "a 0x5C after an odd run of lead bytes is the codec's second byte");
    }
    const bool endsWithBackslash = !name.empty() && name.back() == '\\' && !second[name.size() - 1];
    Require(sjis::EndsWithSeparator(name) == endsWithBackslash, "the last character is a backslash of its own");
}

void CheckFormat(std::string_view name, int filterIndex) {
    const std::string_view extension = Extension(name);
    Require(save::FileExtension(name) == extension, "the extension starts at the last '.' character");
    Require(extension.empty() || extension.data() + extension.size() == name.data() + name.size(),
            "the extension is the end of the name");

    const save::SaveChoice choice = save::ChooseFormat(name, filterIndex);
    std::string appended;
    if (extension.empty() && filterIndex == 1) appended = ".txt";
    if (extension.empty() && filterIndex == 2) appended = ".htm";
    Require(choice.appended == appended, "an extension is appended only to a name without one");
    const std::string decisive = extension.empty() ? appended : AsciiSmall(extension);
    save::SaveFormat format = save::SaveFormat::kNone;
    if (decisive == ".txt") format = save::SaveFormat::kText;
    if (decisive == ".htm" || decisive == ".html") format = save::SaveFormat::kHtml;
    Require(choice.format == format, "the format follows the final extension, letter case aside");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const int filterIndex = int(input.Below(4));
    const std::string name = input.Rest();
    CheckSecondBytes(name);
    CheckFormat(name, filterIndex);
    // Names the save command builds: the user's name with the extension it appends.
    CheckFormat(name + ".txt", filterIndex);
    CheckFormat(name + ".HTML", filterIndex);
    return 0;
}
