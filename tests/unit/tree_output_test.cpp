// orvale-tree's writing: the same bytes the window's road gives (BuildTreeText, then
// TextLines and the page), whether streamed or cut at a room, and a stop keeps the old file.
#include "cli/TreeOutput.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "doubles/FakeFileSystem.h"
#include "save/HtmlPage.h"
#include "save/TextFile.h"
#include "save/TextLines.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "tree/TTreeNodes.h"
#include "unit/support/TempFolder.h"

namespace {

using save::SavePath;

// A root and folders below it, the last one's line 4549 bytes long with a double-byte
// character across its 4096th byte.
struct Tree {
    platform::FakeFileSystem files;
    TTreeNodes nodes;
    ScanRoot root{'x', "x:\\", "x:\\", "x:\\"};
    cli::TreeSpelling spelling{files, root, TextEncoding::kCp932};

    Tree() {
        TTreeNode* top = nodes.AppendChild(nullptr, "x:\\");
        for (int i = 0; i < 300; ++i) {
            TTreeNode* folder = nodes.AppendChild(top, "folder" + std::to_string(i));
            if (i % 3 == 0) nodes.AppendChild(folder, "\x8E\xCA\x90\x5E");  // 写真
        }
        nodes.AppendChild(top, std::string(4090, 'a') + std::string(455, '\x8E') + "\xCA");
    }
    cli::TreeWriting Writing(std::size_t room = SIZE_MAX) { return {nodes, spelling, room, nullptr}; }
};

// What the window saves as a page for the editor text `text`.
std::string WindowPage(const TempFolder& folder, const std::string& text) {
    const save::TextLines lines(text);
    save::WriteHtmlPage(SavePath::FromNative(folder / "window.htm"), lines.Count(), [&](int i) { return lines.At(i); });
    return TempFolder::Read(folder / "window.htm");
}

TEST(TreeOutput, FilesAreTheWindowsWholeOrCutWhereTheEditorCuts) {
    Tree tree;
    TempFolder folder;
    const std::string whole = treetext::BuildTreeText(tree.nodes, SIZE_MAX).bytes;
    ASSERT_GT(whole.size(), 6000u);
    for (const std::size_t room : {SIZE_MAX, std::size_t(5), std::size_t(4000), whole.size() - 4, whole.size() - 1}) {
        const std::string text = treetext::BuildTreeText(tree.nodes, room).bytes;
        cli::SaveTree(SavePath::FromNative(folder / "tree.txt"), save::SaveFormat::kText, tree.Writing(room));
        EXPECT_EQ(TempFolder::Read(folder / "tree.txt"), text) << room;
        cli::SaveTree(SavePath::FromNative(folder / "tree.htm"), save::SaveFormat::kHtml, tree.Writing(room));
        EXPECT_EQ(TempFolder::Read(folder / "tree.htm"), WindowPage(folder, text)) << room;
    }
    // The long line goes into the text whole and into the page cut before its character.
    EXPECT_NE(whole.find(std::string(455, '\x8E')), std::string::npos);
    const std::string page = TempFolder::Read(folder / "tree.htm");
    EXPECT_NE(page.find("\x84\xAF\x20" + std::string(4090, 'a') + "\x8E\x8E<BR>\r\n"), std::string::npos);
}

TEST(TreeOutput, StreamGetsTheTextAndAFailedStreamIsTold) {
    Tree tree;
    std::FILE* stream = std::tmpfile();
    ASSERT_TRUE(stream);
    EXPECT_TRUE(cli::WriteTreeText(stream, tree.Writing()));
    std::rewind(stream);
    std::string read;
    for (int c; (c = std::fgetc(stream)) != EOF;) read += char(c);
    std::fclose(stream);
    EXPECT_EQ(read, treetext::BuildTreeText(tree.nodes, SIZE_MAX).bytes);
#ifndef _WIN32
    std::FILE* full = std::fopen("/dev/full", "wb");
    ASSERT_TRUE(full);
    EXPECT_FALSE(cli::WriteTreeText(full, tree.Writing()));
    std::fclose(full);
#endif
}

TEST(TreeOutput, StoppingKeepsTheOldFileAndLeavesNothingElse) {
    Tree tree;
    TempFolder folder;
    for (const auto format : {save::SaveFormat::kText, save::SaveFormat::kHtml}) {
        const std::string target = folder / (format == save::SaveFormat::kText ? "old.txt" : "old.htm");
        TempFolder::Write(target, "old");
        int asked = 0;
        cli::TreeWriting writing = tree.Writing();
        writing.stopping = [&asked] { return ++asked > 200; };
        EXPECT_THROW(cli::SaveTree(SavePath::FromNative(target), format, writing), cli::WriteStopped);
        EXPECT_EQ(asked, 201);
        EXPECT_EQ(TempFolder::Read(target), "old");
    }
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"old.htm", "old.txt"}));
}

}  // namespace
