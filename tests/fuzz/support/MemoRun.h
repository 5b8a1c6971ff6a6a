#pragma once
// A run of editor operations drawn from a fuzzer's input: a real TMemo under the offscreen
// platform beside a MemoModel of the code page 932 bytes it should hold. Appends and pastes
// keep the leading part that fits in 2,097,152 bytes, never half a character nor half a
// CR LF; LineCount, LineAt (at most 4096 bytes), FullText and the byte count follow the
// model, and so does save::TextLines over the same text.
#include <QApplication>
#include <QTextCursor>
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support/CharScan.h"
#include "fuzz/support/FuzzInput.h"
#include "fuzz/support/MemoModel.h"
#include "fuzz/support/Require.h"
#include "save/TextLines.h"
#include "sjis/Cp932.h"
#include "sjis/qt/QtText.h"
#include "text/qt/TMemo.h"

namespace fuzz {

inline constexpr std::size_t kMaxLength = 2097152;
inline constexpr std::size_t kLineBytes = 4096;
// Beyond this many bytes the whole text is compared only at the end of a run.
inline constexpr std::size_t kCheapText = 64 * 1024;

// The one application a process has, made on first use.
inline QApplication& MemoApplication() {
    static int argc = 1;
    static char name[] = "orvale_memo_fuzz";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// Every CR LF, lone CR and lone LF as one CR LF.
inline std::string UnifiedBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

// What the editor holds of inserted bytes: characters, so bytes that spell none read back as "?".
inline std::string AsHeld(std::string_view bytes) { return sjis::FromUtf16(sjis::ToUtf16(bytes)); }

inline bool EndsWithBreak(const std::string& text) {
    return text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

class MemoRun {
public:
    // `largeAppends`: how many appends may take the text near the limit.
    MemoRun(FuzzInput& input, int largeAppends) : input_(input), largeAppendsLeft_(largeAppends) {}

    void Step() {
        const unsigned op = input_.Below(16);
        if (op == 0) {
            memo_.ClearLines();
            model_.Set("");
        } else if (op <= 6) {
            Append(ShortLine());
        } else if (op == 7 && largeAppendsLeft_ > 0) {
            AppendLarge();
        } else if (op <= 10) {
            Paste();
        } else if (op <= 13) {
            CheckLine(int(input_.Below(std::uint32_t(model_.Lines().size() + 3))) - 1);
        } else {
            CheckWhole();
        }
        Require(memo_.Length() == model_.Bytes().size(), "the byte count follows every change");
        Require(memo_.Length() <= kMaxLength, "the text never passes 2,097,152 bytes");
        if (model_.Bytes().size() <= kCheapText)
            Require(memo_.FullText() == model_.Bytes(), "FullText is the text as held");
    }

    // Takes the text to within a few bytes of the limit, or past it.
    void AppendLarge() {
        if (largeAppendsLeft_ == 0) return;
        --largeAppendsLeft_;
        Append(LargeLine());
    }

    void CheckWhole() {
        Require(memo_.FullText() == model_.Bytes(), "FullText is the text as held");
        const std::vector<std::string>& lines = model_.Lines();
        Require(memo_.LineCount() == int(lines.size()), "LineCount leaves out only an empty last line");
        const save::TextLines textLines(model_.Bytes());
        Require(textLines.Count() == int(lines.size()), "TextLines counts as LineCount does");
        for (int i = -1; i <= int(lines.size()); ++i) CheckLine(i, lines, textLines);
    }

private:
    // A few bytes, now and then a lone break, now and then a line around LineAt's 4096 bytes.
    std::string ShortLine() {
        std::string line = input_.Text(48);
        if (input_.Below(16) == 0) {
            const std::string piece = line.empty() ? std::string("\x95\x5C") : line.substr(0, 3);
            line.clear();
            for (std::size_t times = 3900 / piece.size() + input_.Below(160); times > 0; --times) line += piece;
        }
        if (input_.Below(8) == 0) line += input_.Flag() ? "\r" : "\n";
        return line;
    }

    // A line that takes the text near or past the limit: a piece repeated, mostly as lines
    // of a few hundred bytes. A million characters cost the editor dearly as lines of a few
    // bytes (the blocks) and as one line of mixed scripts (its layout), so a single line
    // repeats only the piece's first character.
    std::string LargeLine() {
        std::string piece = input_.Text(6);
        if (piece.empty()) piece = "\x95\x5C";
        if (input_.Below(16) != 0) {
            std::string line;
            for (unsigned times = 64 + input_.Below(200); times > 0; --times) line += piece;
            piece = line + "\r\n";
        } else {
            piece.resize(CharBytes(piece, 0));
        }
        // Within a few bytes either side of filling the text exactly, its line break included.
        const long room = long(kMaxLength - model_.Bytes().size());
        const auto target = std::size_t(std::max(0L, room - 2 + long(input_.Below(9)) - 4));
        std::string line;
        line.reserve(target + piece.size());
        while (line.size() < target) line += piece;
        line.resize(std::min(line.size(), target + input_.Below(3)));
        return line;
    }

    void Append(const std::string& line) {
        const std::string& held = model_.Bytes();
        const int count = int(model_.Lines().size());
        const bool lastLineOpen = !held.empty() && !EndsWithBreak(held);
        const std::string body = UnifiedBreaks(line);
        const std::string piece = lastLineOpen ? "\r\n" + body : body + "\r\n";
        const std::string_view kept = LongestFit(piece, kMaxLength - held.size());
        Require(memo_.AppendLine(line) == count, "AppendLine returns the new line's index");
        Require(memo_.AppendCut() == (kept.size() < piece.size()), "AppendCut tells whether all of it went in");
        model_.Set(held + AsHeld(kept));
    }

    // Text as the user types or pastes it: characters of any kind, breaks of every kind.
    QString Typed() {
        static constexpr char16_t kSpecial[] = {u'\r',  u'\n',  0x2028, 0x2029, u'\t', 0x00E9, 0xD83D, 0xDE00,
                                                0x3000, 0xFF71, 0xFFFD, 0x8868, u'\\', 0x00A5, 0xDC00, 0xE000};
        QString text;
        for (unsigned n = input_.Below(10); n > 0; --n) {
            if (input_.Flag())
                text += QChar(kSpecial[input_.Below(std::size(kSpecial))]);
            else
                text += ToQString(input_.Text(8));
        }
        return text;
    }

    // Puts typed text over a selection, as a paste does.
    void Paste() {
        const std::vector<std::size_t>& starts = model_.Starts();
        const std::size_t units = starts.size() - 1;
        const std::size_t from = input_.Below(std::uint32_t(units + 1));
        const std::size_t to = from + input_.Below(std::uint32_t(units - from + 1));
        const QString text = Typed();

        QTextCursor cursor = memo_.textCursor();
        cursor.setPosition(int(from));
        cursor.setPosition(int(to), QTextCursor::KeepAnchor);
        memo_.setTextCursor(cursor);
        memo_.InsertLimited(text);

        QString plain = text;
        plain.replace(QChar::LineSeparator, u'\n').replace(QChar::ParagraphSeparator, u'\n');
        const std::string bytes = UnifiedBreaks(FromQString(plain));
        const std::string& held = model_.Bytes();
        const std::size_t selected = starts[to] - starts[from];
        const std::string_view kept = LongestFit(bytes, kMaxLength - held.size() + selected);
        model_.Set(held.substr(0, starts[from]) + AsHeld(kept) + held.substr(starts[to]));
    }

    void CheckLine(int index) { CheckLine(index, model_.Lines(), save::TextLines(model_.Bytes())); }

    void CheckLine(int index, const std::vector<std::string>& lines, const save::TextLines& textLines) {
        const bool inside = index >= 0 && index < int(lines.size());
        const std::string expected = inside ? std::string(LongestFit(lines[std::size_t(index)], kLineBytes)) : "";
        Require(memo_.LineAt(index) == expected, "LineAt gives the line's first 4096 bytes, whole characters only");
        Require(textLines.At(index) == expected, "TextLines gives what LineAt gives");
    }

    FuzzInput& input_;
    TMemo memo_;
    MemoModel model_;
    int largeAppendsLeft_;
};

}  // namespace fuzz
