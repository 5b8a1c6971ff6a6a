#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/Texts.h"
#include "tree/TTreeNodes.h"
#include "tree/TreeErrors.h"

namespace {

// root
//   a
//     a1
//     a2
//   b
//     b1
struct SmallTree {
    TTreeNodes nodes;
    TTreeNode* root = nodes.AppendChild(nullptr, "c:\\");
    TTreeNode* a = nodes.AppendChild(root, "a");
    TTreeNode* b = nodes.AppendChild(root, "b");
    TTreeNode* a1 = nodes.AppendChild(a, "a1");
    TTreeNode* a2 = nodes.AppendChild(a, "a2");
    TTreeNode* b1 = nodes.AppendChild(b, "b1");
};

std::vector<std::string> TextsInOrder(TTreeNodes& nodes) {
    std::vector<std::string> texts;
    for (int i = 0; i < nodes.NodeCount(); ++i) texts.push_back(nodes.NodeAt(i)->Text());
    return texts;
}

void ExpectInvalidIndex(TTreeNodes& nodes, int position) {
    try {
        nodes.NodeAt(position);
        FAIL() << "position " << position << " was accepted";
    } catch (const ETreeViewError& failure) {
        EXPECT_EQ(std::string(failure.what()), texts::Cp932(texts::kInvalidIndex));
    }
}

TEST(TreeNodes, PositionsFollowPreOrderWhateverTheAppendOrder) {
    SmallTree tree;
    EXPECT_EQ(tree.nodes.NodeCount(), 6);
    EXPECT_EQ(TextsInOrder(tree.nodes), (std::vector<std::string>{"c:\\", "a", "a1", "a2", "b", "b1"}));

    // A late child of a goes after a's whole subtree and shifts b and b1 by one.
    tree.nodes.AppendChild(tree.a, "a3");
    tree.nodes.AppendChild(nullptr, "d:\\");
    EXPECT_EQ(TextsInOrder(tree.nodes), (std::vector<std::string>{"c:\\", "a", "a1", "a2", "a3", "b", "b1", "d:\\"}));
    EXPECT_EQ(tree.nodes.NodeAt(5), tree.b);
}

TEST(TreeNodes, NodePropertiesDescribeTheShape) {
    SmallTree tree;
    EXPECT_EQ(tree.root->ParentNode(), nullptr);
    EXPECT_EQ(tree.root->Depth(), 0);
    EXPECT_EQ(tree.a1->Depth(), 2);
    EXPECT_EQ(tree.a1->ParentNode(), tree.a);
    EXPECT_EQ(tree.a->NextSibling(), tree.b);
    EXPECT_EQ(tree.b->NextSibling(), nullptr);
    EXPECT_EQ(tree.b->PrevSibling(), tree.a);
    EXPECT_EQ(tree.a->PrevSibling(), nullptr);
    EXPECT_EQ(tree.root->FirstChild(), tree.a);
    EXPECT_EQ(tree.b1->FirstChild(), nullptr);
    EXPECT_TRUE(tree.a->HasChildren());
    EXPECT_FALSE(tree.a2->HasChildren());
    EXPECT_EQ(tree.b->Index(), 1);
    EXPECT_EQ(tree.a2->Index(), 1);
    EXPECT_EQ(tree.root->Count(), 2);
    // Pre-order steps both ways, climbing and descending as needed.
    EXPECT_EQ(tree.a2->NextInOrder(), tree.b);
    EXPECT_EQ(tree.b->PrevInOrder(), tree.a2);
    EXPECT_EQ(tree.a->PrevInOrder(), tree.root);
    EXPECT_EQ(tree.b1->NextInOrder(), nullptr);
    EXPECT_EQ(tree.root->PrevInOrder(), nullptr);
}

TEST(TreeNodes, PositionsOutsideTheStoreFailAndLeaveTheCache) {
    TTreeNodes empty;
    ExpectInvalidIndex(empty, 0);
    ExpectInvalidIndex(empty, -1);

    SmallTree tree;
    EXPECT_EQ(tree.nodes.NodeAt(3), tree.a2);
    ExpectInvalidIndex(tree.nodes, -1);
    ExpectInvalidIndex(tree.nodes, tree.nodes.NodeCount());
    EXPECT_EQ(tree.nodes.CachedNode(), tree.a2);
    EXPECT_EQ(tree.nodes.CachedPosition(), 3);
}

TEST(TreeNodes, LookupCacheStepsToNeighboursAndRemembersTheLastAnswer) {
    SmallTree tree;
    EXPECT_EQ(tree.nodes.NodeAt(4), tree.b);
    EXPECT_EQ(tree.nodes.NodeAt(3), tree.a2);  // one step back, across a subtree
    EXPECT_EQ(tree.nodes.NodeAt(4), tree.b);
    EXPECT_EQ(tree.nodes.NodeAt(5), tree.b1);
    EXPECT_EQ(tree.nodes.NodeAt(1), tree.a);  // far: walked from the first node
    EXPECT_EQ(tree.nodes.CachedNode(), tree.a);
    EXPECT_EQ(tree.nodes.CachedPosition(), 1);
}

TEST(TreeNodes, AppendsThatCouldShiftTheCachedNodeEmptyTheCache) {
    SmallTree tree;
    tree.nodes.NodeAt(4);                  // b
    tree.nodes.AppendChild(tree.a, "a3");  // before b: b moves to 5
    EXPECT_EQ(tree.nodes.CachedNode(), nullptr);
    EXPECT_EQ(tree.nodes.NodeAt(4)->Text(), "a3");
    EXPECT_EQ(tree.nodes.NodeAt(5), tree.b);

    // Under the cached node itself the cached position stays true, so the cache may stay.
    tree.nodes.AppendChild(tree.b, "b2");
    tree.nodes.AppendChild(nullptr, "d:\\");
    EXPECT_EQ(tree.nodes.CachedNode(), tree.b);
    EXPECT_EQ(tree.nodes.NodeAt(6), tree.b1);
    EXPECT_EQ(tree.nodes.NodeAt(7)->Text(), "b2");
    EXPECT_EQ(tree.nodes.NodeAt(8)->Text(), "d:\\");
}

TEST(TreeNodes, ClearNodesEmptiesStoreAndCache) {
    SmallTree tree;
    tree.nodes.NodeAt(2);
    tree.nodes.ClearNodes();
    EXPECT_EQ(tree.nodes.NodeCount(), 0);
    EXPECT_EQ(tree.nodes.FirstNode(), nullptr);
    EXPECT_EQ(tree.nodes.CachedNode(), nullptr);
    ExpectInvalidIndex(tree.nodes, 0);
    TTreeNode* again = tree.nodes.AppendChild(nullptr, "d:\\");
    EXPECT_EQ(tree.nodes.NodeAt(0), again);
    EXPECT_EQ(again->Index(), 0);
}

TEST(TreeNodes, LabelEditsKeepTheNativeName) {
    TTreeNodes nodes;
    TTreeNode* same = nodes.AppendChild(nullptr, "docs", "docs");
    TTreeNode* differs = nodes.AppendChild(nullptr, "caf?", "caf\xC3\xA9");
    same->SetText("");
    EXPECT_EQ(same->Text(), "");
    EXPECT_EQ(same->NativeName(), "docs");
    differs->SetText("x");
    EXPECT_EQ(differs->NativeName(), "caf\xC3\xA9");
    same->SetText("docs");
    EXPECT_EQ(same->NativeName(), "docs");
    EXPECT_EQ(nodes.AppendChild(nullptr, "plain")->NativeName(), "plain");
}

struct Recorder : TTreeNodesObserver {
    std::vector<std::string> calls;
    void BeginAppend(TTreeNode* parent, int index) override {
        calls.push_back("append " + (parent ? parent->Text() : std::string("-")) + " " + std::to_string(index));
    }
    void EndAppend() override { calls.push_back("appended"); }
    void BeginReset() override { calls.push_back("reset"); }
    void EndReset() override { calls.push_back("reset done"); }
};

TEST(TreeNodes, ObserverHearsSingleChangesButOnlyOneResetForAnUpdate) {
    TTreeNodes nodes;
    Recorder recorder;
    nodes.SetObserver(&recorder);
    TTreeNode* root = nodes.AppendChild(nullptr, "r");
    nodes.AppendChild(root, "x");
    nodes.ClearNodes();
    {
        TreeUpdate update(nodes);
        nodes.ClearNodes();
        TTreeNode* top = nodes.AppendChild(nullptr, "r");
        nodes.AppendChild(top, "x");
    }
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"append - 0", "appended", "append r 0", "appended", "reset",
                                                        "reset done", "reset", "reset done"}));
}

TEST(TreeNodes, DeepChainIsBuiltWalkedAndReleasedWithoutRecursion) {
    constexpr int kDepth = 100000;
    auto nodes = std::make_unique<TTreeNodes>();
    TTreeNode* node = nodes->AppendChild(nullptr, "c:\\");
    for (int i = 1; i < kDepth; ++i) node = nodes->AppendChild(node, "d");
    EXPECT_EQ(node->Depth(), kDepth - 1);
    EXPECT_EQ(node->NextInOrder(), nullptr);
    EXPECT_EQ(nodes->NodeAt(kDepth - 1), node);
    nodes->AppendChild(nullptr, "e:\\");
    EXPECT_EQ(node->NextInOrder()->Text(), "e:\\");  // one climb over the whole chain
    nodes->ClearNodes();
    for (int i = 0; i < kDepth; ++i) node = nodes->AppendChild(i ? node : nullptr, "d");
    nodes.reset();
}

}  // namespace
