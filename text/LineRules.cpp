#include "text/LineRules.h"

#include "sjis/Cp932.h"

namespace linerules {

namespace {

// Bytes of the character at `pos`: two for a double-byte character and for CR LF.
std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos + 1 >= text.size()) return 1;
    const auto byte = static_cast<unsigned char>(text[pos]);
    const auto next = static_cast<unsigned char>(text[pos + 1]);
    if (byte == '\r') return next == '\n' ? 2 : 1;
    // A lead byte without a second byte after it decodes alone, as the codec reads it.
    const bool trail = next >= 0x40 && next <= 0xFC && next != 0x7F;
    return sjis::IsLeadByte(byte) && trail ? 2 : 1;
}

}  // namespace

std::size_t FitLength(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text.size();
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + CharLength(text, end);
        if (next > room) break;
        end = next;
    }
    return end;
}

std::size_t FitUtf8Length(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text.size();
    // A character starts at any byte that is not a continuation byte (10xxxxxx).
    std::size_t end = room;
    auto continues = [&](std::size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
    while (end > 0 && (continues(end) || (text[end] == '\n' && text[end - 1] == '\r'))) --end;
    return end;
}

std::string UnifyBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    // Second bytes run from 0x40 up, never CR or LF, so bytes between breaks pass as they are.
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        out.append(text, start, i - start);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\r\n";
        start = i + 1;
    }
    out.append(text, start);
    return out;
}

std::string AppendPiece(std::string_view line, bool lastLineOpen) {
    std::string piece;
    piece.reserve(line.size() + 2);
    if (lastLineOpen) piece += "\r\n";
    piece += line;
    if (!lastLineOpen) piece += "\r\n";
    return piece;
}

}  // namespace linerules
