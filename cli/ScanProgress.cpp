#include "cli/ScanProgress.h"

#include <charconv>

#include "resources/Texts.h"
#include "sjis/Cp932.h"
#include "tree/TTreeNodes.h"

namespace cli {

namespace {

constexpr auto kInterval = std::chrono::milliseconds(100);
// The clock is asked once per this many polls: a poll comes with every listing entry.
constexpr unsigned kPollsPerLook = 64;

std::string Tenths(double seconds) {
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, seconds, std::chars_format::fixed, 1).ptr;
    return std::string(digits, end);
}

}  // namespace

ScanProgress::ScanProgress(const TTreeNodes& nodes, const Messages& messages, std::FILE* terminal)
    : nodes_(nodes), messages_(messages), terminal_(terminal), start_(std::chrono::steady_clock::now()) {}

void ScanProgress::Poll() {
    if (++polls_ % kPollsPerLook != 0) return;
    if (std::chrono::steady_clock::now() - shown_ >= kInterval) Show();
}

void ScanProgress::Show() {
    shown_ = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(shown_ - start_).count();
    Put(messages_.Fill(texts::kTreeProgress, {std::to_string(nodes_.NodeCount()), Tenths(seconds)}));
}

void ScanProgress::Clear() {
    if (columns_ == 0) return;
    Put("");
    Messages::Put(terminal_, "\r");
    std::fflush(terminal_);
}

// Over the line before: back to its start, the new text, then blanks over what is left of
// the old one. No escape sequence, so a console that knows none shows it as well.
void ScanProgress::Put(const std::string& text) {
    const std::size_t columns = Columns(text, messages_.Encoding());
    std::string line = "\r" + text;
    if (columns < columns_) line.append(columns_ - columns, ' ');
    columns_ = columns;
    Messages::Put(terminal_, line);
    std::fflush(terminal_);
}

std::size_t ScanProgress::Columns(std::string_view text, TextEncoding encoding) {
    std::size_t columns = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            ++columns;
        } else if (encoding == TextEncoding::kUtf8) {
            if ((byte & 0xC0) != 0x80) columns += 2;  // a character's first byte
        } else {
            columns += 2;
            if (sjis::IsLeadByte(byte)) ++i;
        }
    }
    return columns;
}

}  // namespace cli
