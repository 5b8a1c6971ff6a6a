#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/LineRules.h"
#include "text/TreeText.h"
#include "tree/TTreeNodes.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

// c:\ with Data (Photos, Music (Live)), Tools, Work (Notes): the drive of the worked example.
struct Example {
    TTreeNodes nodes;
    TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
    TTreeNode* data = nodes.AppendChild(root, "Data");
    TTreeNode* photos = nodes.AppendChild(data, "Photos");
    TTreeNode* music = nodes.AppendChild(data, "Music");
    TTreeNode* live = nodes.AppendChild(music, "Live");
    TTreeNode* tools = nodes.AppendChild(root, "Tools");
    TTreeNode* work = nodes.AppendChild(root, "Work");
    TTreeNode* notes = nodes.AppendChild(work, "Notes");
};

std::vector<std::string> Lines(TTreeNodes& nodes) {
    std::vector<std::string> lines;
    for (int i = 0; i < nodes.NodeCount(); ++i) lines.push_back(treetext::TreeLine(*nodes.NodeAt(i)));
    return lines;
}

}  // namespace

TEST(TreeText, WorkedExampleGivesEightLinesByteForByte) {
    Example example;
    const std::vector<std::string> lines = Lines(example.nodes);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(B(lines[0]), (Bytes{0x63, 0x3A, 0x5C}));
    EXPECT_EQ(B(lines[1]), (Bytes{0x84, 0xB0, 0x20, 'D', 'a', 't', 'a'}));
    EXPECT_EQ(B(lines[2]), (Bytes{0x84, 0xAB, 0x20, 0x84, 0xB0, 0x20, 'P', 'h', 'o', 't', 'o', 's'}));
    EXPECT_EQ(B(lines[3]), (Bytes{0x84, 0xAB, 0x20, 0x84, 0xAF, 0x20, 'M', 'u', 's', 'i', 'c'}));
    EXPECT_EQ(B(lines[4]), (Bytes{0x84, 0xAB, 0x20, 0x81, 0x40, 0x20, 0x84, 0xAF, 0x20, 0x4C, 0x69, 0x76, 0x65}));
    EXPECT_EQ(B(lines[5]), (Bytes{0x84, 0xB0, 0x20, 'T', 'o', 'o', 'l', 's'}));
    EXPECT_EQ(B(lines[6]), (Bytes{0x84, 0xAF, 0x20, 'W', 'o', 'r', 'k'}));
    EXPECT_EQ(B(lines[7]), (Bytes{0x81, 0x40, 0x20, 0x84, 0xAF, 0x20, 0x4E, 0x6F, 0x74, 0x65, 0x73}));

    const treetext::Text text = treetext::BuildTreeText(example.nodes, linerules::kMaxLength);
    std::string joined;
    for (const std::string& line : lines) joined += line + "\r\n";
    EXPECT_EQ(text.bytes, joined);
    EXPECT_FALSE(text.cut);
}

TEST(TreeText, TopLevelSiblingsNeverShowInAnyLine) {
    Example example;
    TTreeNode* second = example.nodes.AppendChild(nullptr, "d:\\");
    example.nodes.AppendChild(second, "Only");
    const std::vector<std::string> lines = Lines(example.nodes);
    // Data's line is the same whether or not the root has a next top-level sibling.
    EXPECT_EQ(B(lines[1]), (Bytes{0x84, 0xB0, 0x20, 'D', 'a', 't', 'a'}));
    EXPECT_EQ(lines[8], "d:\\");
    EXPECT_EQ(B(lines[9]), (Bytes{0x84, 0xAF, 0x20, 'O', 'n', 'l', 'y'}));
}

TEST(TreeText, EditedLabelsKeepTheirPrefix) {
    Example example;
    example.live->SetText("");
    example.root->SetText("");
    const std::vector<std::string> lines = Lines(example.nodes);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(B(lines[4]), (Bytes{0x84, 0xAB, 0x20, 0x81, 0x40, 0x20, 0x84, 0xAF, 0x20}));
}

TEST(TreeText, LineBreaksInANameNeverStartALine) {
    // Linux allows CR and LF in folder names; the kanji's second byte 0x5C stays as it is.
    Example example;
    example.photos->SetText("a\nb\r\nc\r\x95\x5C");
    const std::vector<std::string> lines = Lines(example.nodes);
    EXPECT_EQ(B(lines[2]), (Bytes{0x84, 0xAB, 0x20, 0x84, 0xB0, 0x20, 'a', '?', 'b', '?', '?', 'c', '?', 0x95, 0x5C}));
    const std::string text = treetext::BuildTreeText(example.nodes, linerules::kMaxLength).bytes;
    std::size_t breaks = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++breaks;
    EXPECT_EQ(breaks, 8u);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(TreeText, StopsAtTheRoomNeverInsideACharacterOrALineBreak) {
    Example example;
    const std::string whole = treetext::BuildTreeText(example.nodes, linerules::kMaxLength).bytes;
    // "c:\" CR LF is 5 bytes; Data's line starts with the 2-byte "┣".
    for (std::size_t room : {0u, 4u, 6u, 12u, 13u}) {
        const treetext::Text text = treetext::BuildTreeText(example.nodes, room);
        EXPECT_TRUE(text.cut) << room;
        EXPECT_LE(text.bytes.size(), room);
        EXPECT_EQ(text.bytes, whole.substr(0, text.bytes.size())) << room;
    }
    EXPECT_EQ(treetext::BuildTreeText(example.nodes, 4).bytes, "c:\\");      // not "c:\" CR
    EXPECT_EQ(treetext::BuildTreeText(example.nodes, 6).bytes, "c:\\\r\n");  // not half of "┣"
    const treetext::Text exact = treetext::BuildTreeText(example.nodes, whole.size());
    EXPECT_FALSE(exact.cut);
    EXPECT_EQ(exact.bytes, whole);
}

TEST(TreeText, EmptyTreeGivesNoText) {
    TTreeNodes nodes;
    EXPECT_EQ(treetext::BuildTreeText(nodes, linerules::kMaxLength).bytes, "");
}
