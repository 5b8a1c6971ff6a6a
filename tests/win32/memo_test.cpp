// The Windows editor: its line list, and its byte limit however text arrives.
#include <gtest/gtest.h>

#include <string>

#include "support/TestWindow.h"
#include "text/LineRules.h"
#include "text/win32/TMemo.h"

namespace {

using linerules::kMaxLength;

class Memo : public ::testing::Test {
protected:
    TestWindow window;
    TMemo memo{window.Handle(), 1};

    std::wstring Shown() const {
        std::wstring text(std::size_t(GetWindowTextLengthW(memo.Handle())), L'\0');
        GetWindowTextW(memo.Handle(), text.data(), int(text.size() + 1));
        return text;
    }
    void Type(wchar_t c) { SendMessageW(memo.Handle(), WM_CHAR, c, 1); }
    // A text of `bytes` bytes: lines of 98 "x" and a break, the last one shorter.
    static std::string Filler(std::size_t bytes) {
        std::string text;
        text.reserve(bytes);
        while (text.size() + 100 <= bytes) text += std::string(98, 'x') + "\r\n";
        text += std::string(bytes - text.size(), 'y');
        return text;
    }
    // The editor holding `text` (ASCII), the caret at its end.
    void Hold(const std::string& text) {
        memo.ClearLines();
        SetWindowTextW(memo.Handle(), std::wstring(text.begin(), text.end()).c_str());
        ASSERT_EQ(memo.Length(), text.size());
        SendMessageW(memo.Handle(), EM_SETSEL, text.size(), text.size());
    }
};

TEST_F(Memo, LineListFollowsTheEditorText) {
    EXPECT_EQ(memo.LineCount(), 0);
    EXPECT_EQ(memo.FullText(), "");
    EXPECT_EQ(memo.AppendLine("abc"), 0);
    EXPECT_EQ(memo.FullText(), "abc\r\n");
    EXPECT_EQ(memo.LineCount(), 1);
    EXPECT_EQ(memo.LineAt(0), "abc");
    EXPECT_EQ(memo.LineAt(1), "");
    EXPECT_EQ(memo.LineAt(-1), "");

    // A last line the user left open gets a break before the new line, none after it.
    SetWindowTextW(memo.Handle(), L"A\r\nB");
    EXPECT_EQ(memo.AppendLine("C"), 2);
    EXPECT_EQ(memo.FullText(), "A\r\nB\r\nC");
    EXPECT_EQ(memo.LineCount(), 3);

    SetWindowTextW(memo.Handle(), L"A\r\n\r\n");
    EXPECT_EQ(memo.LineCount(), 2);
    EXPECT_EQ(memo.LineAt(1), "");

    // The box-drawn line of the worked example, code page 932 in and out.
    memo.ClearLines();
    memo.AppendLine("\x84\xAB\x20\x81\x40\x20\x84\xAF\x20Live");
    EXPECT_EQ(Shown(), L"\u2503 \u3000 \u2517 Live\r\n");
    EXPECT_EQ(memo.LineAt(0), "\x84\xAB\x20\x81\x40\x20\x84\xAF\x20Live");
}

TEST_F(Memo, LineAtGivesAtMost4096BytesWhileFullTextKeepsAll) {
    // 2047 double-byte characters and then "ab...": the cut falls inside no character.
    std::string line;
    for (int i = 0; i < 2047; ++i) line += "\x82\xA0";  // あ
    line += std::string(906, 'z');
    memo.AppendLine(line);
    const std::string first = memo.LineAt(0);
    EXPECT_EQ(first.size(), 4096u);
    EXPECT_EQ(first, line.substr(0, 4096));
    EXPECT_EQ(memo.FullText(), line + "\r\n");
}

TEST_F(Memo, AppendsKeepOnlyTheLeadingPartThatFits) {
    Hold(Filler(kMaxLength - 5) + "\r\n");
    // "あいう" and its break need 8 bytes; three are left: "あ" fits, "い" would not.
    memo.AppendLine("\x82\xA0\x82\xA2\x82\xA4");
    EXPECT_TRUE(memo.AppendCut());
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    EXPECT_EQ(memo.FullText(), Filler(kMaxLength - 5) + "\r\n\x82\xA0");
    // Full: a later append adds nothing and says so.
    const std::string full = memo.FullText();
    memo.AppendLine("z");
    EXPECT_TRUE(memo.AppendCut());
    EXPECT_EQ(memo.FullText(), full);
}

TEST_F(Memo, TypingStopsAtTheLimitCountedInCodePage932Bytes) {
    Hold(Filler(kMaxLength - 1));
    Type(L'\u3042');  // two bytes: no room
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    Type(L'\r');  // a line break is two bytes as well
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    Type(L'q');
    EXPECT_EQ(memo.Length(), kMaxLength);
    EXPECT_EQ(memo.FullText().back(), 'q');
    Type(L'r');
    EXPECT_EQ(memo.Length(), kMaxLength);

    // Typing over a selection makes room for what replaces it.
    SendMessageW(memo.Handle(), EM_SETSEL, 0, 2);  // "xx"
    Type(L'\u3042');
    EXPECT_EQ(memo.Length(), kMaxLength);
    EXPECT_EQ(memo.FullText().substr(0, 3), "\x82\xA0x");
}

TEST_F(Memo, TypedCharactersBecomeTextTheWayTheLinuxEditorKeepsThem) {
    Type(L'a');
    Type(L'\t');
    Type(L'\r');
    Type(0xD83D);  // a character outside code page 932, typed as its two halves
    Type(0xDE00);
    Type(L'\u8868');  // 表, second byte 0x5C
    EXPECT_EQ(memo.FullText(), "a\t\r\n?\x95\x5C");
    // Tab stays in the editor.
    EXPECT_TRUE(SendMessageW(memo.Handle(), WM_GETDLGCODE, VK_TAB, 0) & DLGC_WANTTAB);
}

TEST_F(Memo, PasteInsertsWhatFitsWithBreaksMadeCrLf) {
    PutOnClipboard(window.Handle(), L"one\ntwo\rthree\r\n\U0001F600");
    memo.PasteFromClipboard();
    EXPECT_EQ(memo.FullText(), "one\r\ntwo\r\nthree\r\n?");

    Hold(Filler(kMaxLength - 5));
    PutOnClipboard(window.Handle(), L"ab\u3042\u3044");  // 6 bytes, 5 left: "ab" and "あ"
    memo.PasteFromClipboard();
    EXPECT_EQ(memo.Length(), kMaxLength - 1);
    EXPECT_EQ(memo.FullText(), Filler(kMaxLength - 5) + "ab\x82\xA0");
}

TEST_F(Memo, CutAndCopyLeaveUnicodeTextOtherProgramsRead) {
    memo.AppendLine("\x83\x74\x83\x48\x83\x8B\x83\x5F");  // フォルダ
    memo.AppendLine("c:\\");
    SendMessageW(memo.Handle(), EM_SETSEL, 0, 4);
    memo.CopyToClipboard();
    EXPECT_EQ(ClipboardText(window.Handle()), L"\u30D5\u30A9\u30EB\u30C0");
    EXPECT_EQ(memo.LineCount(), 2);
    SendMessageW(memo.Handle(), EM_SETSEL, 0, 6);
    memo.CutToClipboard();
    EXPECT_EQ(ClipboardText(window.Handle()), L"\u30D5\u30A9\u30EB\u30C0\r\n");
    EXPECT_EQ(memo.FullText(), "c:\\\r\n");
    memo.SelectAll();
    DWORD start = 1, end = 0;
    SendMessageW(memo.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

}  // namespace
