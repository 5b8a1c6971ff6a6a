// The tree text in UTF-8: the pieces, the names as the file system spells them, the cut at
// a room, and the page that declares it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/TreeSpelling.h"
#include "doubles/FakeFileSystem.h"
#include "save/HtmlPage.h"
#include "save/TextLines.h"
#include "sjis/Cp932.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "tree/TTreeNodes.h"
#include "unit/support/Bytes.h"
#include "unit/support/TempFolder.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(Utf8TreeText, PiecesAreTheSameCharactersEachWithItsSpace) {
    const treetext::Pieces& cp932 = treetext::PiecesIn(TextEncoding::kCp932);
    const treetext::Pieces& utf8 = treetext::PiecesIn(TextEncoding::kUtf8);
    EXPECT_EQ(utf8.branch, Bytes({0xE2, 0x94, 0xA3, 0x20}));
    EXPECT_EQ(utf8.lastBranch, Bytes({0xE2, 0x94, 0x97, 0x20}));
    EXPECT_EQ(utf8.bar, Bytes({0xE2, 0x94, 0x83, 0x20}));
    EXPECT_EQ(utf8.blank, Bytes({0xE3, 0x80, 0x80, 0x20}));
    for (auto piece :
         {&treetext::Pieces::branch, &treetext::Pieces::lastBranch, &treetext::Pieces::bar, &treetext::Pieces::blank})
        EXPECT_EQ(sjis::ToUtf8(cp932.*piece), utf8.*piece);
}

// x:\ with A (B (C)), D: every piece in a line of C and D.
struct Tree {
    platform::FakeFileSystem files;
    TTreeNodes nodes;
    TTreeNode* root = nodes.AppendChild(nullptr, "x:\\", "/real/path/");
    TTreeNode* a = nodes.AppendChild(root, "A");
    TTreeNode* b = nodes.AppendChild(a, "B");
    TTreeNode* c = nodes.AppendChild(b, "C");
    TTreeNode* d = nodes.AppendChild(root, "D");
};

TEST(Utf8TreeText, LinesMatchTheCodePage932LinesCharacterForCharacter) {
    Tree tree;
    ScanRoot root{'x', "x:\\", "/real/path/", "x:\\"};
    const cli::TreeSpelling utf8(tree.files, root, TextEncoding::kUtf8);
    const cli::TreeSpelling cp932(tree.files, root, TextEncoding::kCp932);
    for (int i = 0; i < tree.nodes.NodeCount(); ++i) {
        const TTreeNode& node = *tree.nodes.NodeAt(i);
        EXPECT_EQ(cp932.LineOf(node), treetext::TreeLine(node));
        EXPECT_EQ(utf8.LineOf(node), sjis::ToUtf8(cp932.LineOf(node))) << i;
    }
    EXPECT_EQ(utf8.LineOf(*tree.c), "┃ 　 ┗ C");
    EXPECT_EQ(utf8.LineOf(*tree.d), "┗ D");
}

TEST(Utf8TreeText, RootIsTheNativeRootTextAndNamesLoseNoCharacter) {
    platform::FakeFileSystem files;  // native names are code page 932 here, as on Windows
    TTreeNodes nodes;
    const std::string hyou = "\x95\x5C";  // 表
    TTreeNode* root = nodes.AppendChild(nullptr, "d:\\" + hyou + "\\", "d:\\" + hyou + "\\");
    TTreeNode* controls = nodes.AppendChild(root, "a?b", "a\nb\x7F");
    const ScanRoot scanRoot{'d', "ignored", "d:\\" + hyou + "\\", "d:\\" + hyou + "\\"};
    const cli::TreeSpelling spelling(files, scanRoot, TextEncoding::kUtf8);
    EXPECT_EQ(spelling.LineOf(*root), "d:\\表\\");
    EXPECT_EQ(spelling.LineOf(*controls), "┗ a?b?");
}

TEST(Utf8TreeText, ValidUtf8KeepsCharactersAndReplacesEachIllFormedPart) {
    EXPECT_EQ(sjis::ValidUtf8("写真 😀 abc"), "写真 😀 abc");
    EXPECT_EQ(sjis::ValidUtf8("a\xFF"
                              "b"),
              "a" + kReplacement + "b");
    // A sequence cut short is one replacement; the byte that broke it starts anew.
    EXPECT_EQ(sjis::ValidUtf8("\xE5\x86"
                              "A"),
              kReplacement + "A");
    EXPECT_EQ(sjis::ValidUtf8("\xE5\x86\xE5\x86\x99"), kReplacement + "写");
    // Overlong forms and surrogates spell nothing: one replacement per byte.
    EXPECT_EQ(sjis::ValidUtf8("\xC0\xAF"), kReplacement + kReplacement);
    EXPECT_EQ(sjis::ValidUtf8("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);
    // Each replacement is where code page 932 has one "?".
    for (const std::string bytes : {"a\xFF"
                                    "b",
                                    "\xE5\x86"
                                    "A",
                                    "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_EQ(sjis::FromUtf8(sjis::ValidUtf8(bytes)), sjis::FromUtf8(bytes)) << bytes;
}

TEST(Utf8TreeText, CutNeverSplitsACharacterOrALineBreak) {
    const std::string text = "ab写\r\n😀";  // 2 + 3 + 2 + 4 bytes
    const std::vector<std::size_t> fit = {0, 1, 2, 2, 2, 5, 5, 7, 7, 7, 7, 11};
    for (std::size_t room = 0; room < fit.size(); ++room)
        EXPECT_EQ(linerules::FitLength(text, room, TextEncoding::kUtf8), fit[room]) << room;
    EXPECT_EQ(linerules::LeadingPart(text, 100, TextEncoding::kUtf8), text);
}

TEST(Utf8TreeText, WriteTreeTextStopsAtTheRoomInEitherEncoding) {
    Tree tree;
    tree.b->SetText("\x8E\xCA");  // 写 in code page 932
    const ScanRoot root{'x', "x:\\", "/real/path/", "x:\\"};
    for (const TextEncoding encoding : {TextEncoding::kCp932, TextEncoding::kUtf8}) {
        const cli::TreeSpelling spelling(tree.files, root, encoding);
        auto write = [&](std::size_t room, bool& whole) {
            std::string out;
            whole = treetext::WriteTreeText(tree.nodes, room,
                                            {[&](const TTreeNode& node) { return spelling.LineOf(node); }, encoding,
                                             [&](std::string_view bytes) { out += bytes; }});
            return out;
        };
        bool whole = false;
        const std::string all = write(SIZE_MAX, whole);
        EXPECT_TRUE(whole);
        for (std::size_t room = 0; room < all.size(); ++room) {
            const std::string part = write(room, whole);
            EXPECT_FALSE(whole);
            EXPECT_EQ(part, all.substr(0, linerules::FitLength(all, room, encoding))) << room;
        }
    }
    // In code page 932 it is the editor's text, cut where the editor cuts it.
    const treetext::Text built = treetext::BuildTreeText(tree.nodes, 20);
    EXPECT_TRUE(built.cut);
    EXPECT_EQ(built.bytes, treetext::BuildTreeText(tree.nodes, SIZE_MAX).bytes.substr(0, 19));
}

TEST(Utf8TreeText, PageDeclaresUtf8RightAfterItsTitle) {
    const std::string head = save::HtmlHead(TextEncoding::kUtf8);
    EXPECT_EQ(head,
              "<HTML>\r\n<HEAD>\r\n<TITLE>フォルダ構成</TITLE>\r\n"
              "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\r\n"
              "<META NAME=GENERATOR CONTENT=\"Orvale\">\r\n</HEAD>\r\n<BODY>\r\n"
              "<BASEFONT FACE=\"ＭＳ 明朝\">\r\n<P>\r\n");
    // Apart from that line, the code page 932 page decoded.
    std::string withoutDeclaration = head;
    withoutDeclaration.erase(head.find("<META HTTP-EQUIV"), head.find("<META NAME") - head.find("<META HTTP-EQUIV"));
    EXPECT_EQ(withoutDeclaration, sjis::ToUtf8(save::HtmlHead()));

    TempFolder folder;
    const std::vector<std::string> lines = {"x:\\", "┗ 写真"};
    save::WriteHtmlPage(
        save::SavePath::FromNative(folder / "p.htm"), 2, [&](int i) { return lines[std::size_t(i)]; },
        TextEncoding::kUtf8);
    EXPECT_EQ(TempFolder::Read(folder / "p.htm"), head + "x:\\<BR>\r\n┗ 写真<BR>\r\n" + save::HtmlTail());
}

TEST(Utf8TreeText, PageLinesAreCutAsLineAtCutsThem) {
    // 4095 bytes and then a three-byte character: it does not fit.
    const std::string utf8 = std::string(4095, 'a') + "写b";
    EXPECT_EQ(save::TextLines::LineAt(utf8, TextEncoding::kUtf8), std::string(4095, 'a'));
    const std::string cp932 = std::string(4095, 'a') +
                              "\x8E\xCA"
                              "b";
    EXPECT_EQ(save::TextLines::LineAt(cp932), std::string(4095, 'a'));
    const std::string text = utf8 + "\r\n" + utf8;  // TextLines borrows it
    const save::TextLines lines(text, TextEncoding::kUtf8);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.At(1), std::string(4095, 'a'));
}

}  // namespace
