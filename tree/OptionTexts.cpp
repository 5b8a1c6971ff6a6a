#include "tree/OptionTexts.h"

#include <climits>

#include "sjis/Cp932.h"

namespace {

// The full-width space, and the full-width digits from ０ (82 4F) to ９ (82 58).
constexpr std::string_view kWideSpace = "\x81\x40";
constexpr unsigned char kWideDigitLead = 0x82, kWideZero = 0x4F, kWideNine = 0x58;

// `text` without spaces and tabs at either end, judged by character.
std::string_view Trimmed(std::string_view text) {
    for (;;) {
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        else if (text.starts_with(kWideSpace))
            text.remove_prefix(kWideSpace.size());
        else
            break;
    }
    for (;;) {
        const std::size_t size = text.size();
        // Neither a space nor a tab is ever a second byte; 0x40 may be one.
        if (size && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        else if (text.ends_with(kWideSpace) && sjis::IsSecondByte(text, size - 1))
            text.remove_suffix(kWideSpace.size());
        else
            break;
    }
    return text;
}

}  // namespace

std::string DepthText(int depth) { return depth > 0 ? std::to_string(depth) : std::string(); }

std::optional<int> ReadDepth(std::string_view cp932) {
    const std::string_view text = Trimmed(cp932);
    if (text.empty()) return 0;
    long long value = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int digit = -1;
        if (byte >= '0' && byte <= '9') {
            digit = byte - '0';
        } else if (byte == kWideDigitLead && i + 1 < text.size()) {
            const auto second = static_cast<unsigned char>(text[++i]);
            if (second >= kWideZero && second <= kWideNine) digit = second - kWideZero;
        }
        if (digit < 0) return std::nullopt;
        value = value * 10 + digit;
        if (value > INT_MAX) return std::nullopt;
    }
    if (value < 1) return std::nullopt;
    return int(value);
}

std::string PatternLines(std::string_view cp932) {
    std::string lines;
    while (!cp932.empty()) {
        // CR and LF are never second bytes: the text splits at them byte by byte.
        const std::size_t end = cp932.find_first_of("\r\n");
        const std::string_view line = Trimmed(cp932.substr(0, end));
        if (!line.empty()) {
            if (!lines.empty()) lines += "\r\n";
            lines += line;
        }
        if (end == std::string_view::npos) break;
        cp932.remove_prefix(end + 1);
    }
    return lines;
}

NamePatterns PatternsOfLines(std::string_view lines) {
    NamePatterns patterns;
    for (std::string_view rest = lines; !rest.empty();) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (!line.empty()) patterns.Add(sjis::ToUtf16(line));
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return patterns;
}
