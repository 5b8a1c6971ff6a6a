#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "sjis/qt/QtText.h"
#include "tree/qt/TTreeView.h"
#include "tree/qt/TreeModel.h"

namespace {

class TreeViewTest : public ::testing::Test {
protected:
    TreeViewTest() {
        view.resize(300, 200);
        root = Nodes().AppendChild(nullptr, "c:\\");
        folder = Nodes().AppendChild(root, "Data");
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    TTreeNodes& Nodes() { return view.Items(); }
    QModelIndex IndexOf(const TTreeNode* node) { return view.Model().IndexOf(node); }

    // Starts an in-place edit of the node's label with the keyboard and returns the editor.
    QLineEdit* Edit(const TTreeNode* node) {
        view.setFocus();
        view.setCurrentIndex(IndexOf(node));
        QTest::keyClick(&view, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        return editor;
    }

    // The delegate ends an edit from the event loop.
    static void EndEdit(QLineEdit* editor, Qt::Key key) {
        QTest::keyClick(editor, key);
        QApplication::processEvents();
    }

    TTreeView view;
    TTreeNode* root = nullptr;
    TTreeNode* folder = nullptr;
};

TEST_F(TreeViewTest, PaneSettings) {
    EXPECT_EQ(view.indentation(), 19);
    EXPECT_TRUE(view.rootIsDecorated());
    EXPECT_TRUE(view.isHeaderHidden());
    EXPECT_FALSE(view.isSortingEnabled());
    EXPECT_FALSE(view.dragEnabled());
    EXPECT_EQ(view.frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(view.uniformRowHeights());
    EXPECT_TRUE(view.editTriggers() & QAbstractItemView::EditKeyPressed);
}

TEST_F(TreeViewTest, ModelShowsTheStoreNodesThemselves) {
    const QModelIndex rootIndex = view.model()->index(0, 0);
    EXPECT_EQ(TreeModel::NodeOf(rootIndex), root);
    EXPECT_EQ(view.model()->rowCount(rootIndex), 1);
    EXPECT_EQ(view.model()->index(0, 0, rootIndex).data().toString(), "Data");

    // Appends show at once, in order, at any row the view asks for.
    for (int i = 0; i < 1000; ++i) Nodes().AppendChild(root, "n" + std::to_string(i));
    EXPECT_EQ(view.model()->rowCount(rootIndex), 1001);
    EXPECT_EQ(view.model()->index(500, 0, rootIndex).data().toString(), "n499");
    EXPECT_EQ(view.model()->index(2, 0, rootIndex).data().toString(), "n1");
    EXPECT_EQ(view.model()->index(1000, 0, rootIndex).data().toString(), "n999");
    const QModelIndex child = view.model()->index(700, 0, rootIndex);
    EXPECT_EQ(view.model()->parent(child), rootIndex);
    EXPECT_FALSE(view.model()->index(1001, 0, rootIndex).isValid());

    view.expand(rootIndex);
    view.scrollTo(child);
    EXPECT_TRUE(view.visualRect(child).intersects(view.viewport()->rect()));

    // An update empties and refills the store as one reset.
    {
        TreeUpdate update(Nodes());
        Nodes().ClearNodes();
        TTreeNode* top = Nodes().AppendChild(nullptr, "d:\\");
        Nodes().AppendChild(top, "Only");
    }
    EXPECT_EQ(view.model()->rowCount(), 1);
    EXPECT_EQ(view.model()->index(0, 0).data().toString(), "d:\\");
    EXPECT_FALSE(view.isExpanded(view.model()->index(0, 0)));
}

TEST_F(TreeViewTest, LabelEditTakesAnyTextAndCancelKeepsTheOld) {
    view.expand(IndexOf(root));
    QLineEdit* editor = Edit(folder);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    editor->insert(QString::fromUtf8("新しい<&>"));  // typed through an input method
    EndEdit(editor, Qt::Key_Return);
    EXPECT_EQ(folder->Text(), FromQString(QString::fromUtf8("新しい<&>")));
    EXPECT_EQ(folder->NativeName(), "Data");

    editor = Edit(folder);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "dropped");
    EndEdit(editor, Qt::Key_Escape);
    EXPECT_EQ(folder->Text(), FromQString(QString::fromUtf8("新しい<&>")));

    editor = Edit(folder);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    EndEdit(editor, Qt::Key_Return);
    EXPECT_EQ(folder->Text(), "");
    EXPECT_EQ(Nodes().NodeAt(1), folder);  // no re-sorting
}

TEST_F(TreeViewTest, HoverTipShowsACutOffLabelCutTo79Characters) {
    TTreeNode* wide80 = Nodes().AppendChild(nullptr, std::string(80, 'W'));
    TTreeNode* wide79 = Nodes().AppendChild(nullptr, std::string(79, 'W'));
    TTreeNode* wide200 = Nodes().AppendChild(nullptr, std::string(200, 'M'));
    view.resize(120, 200);
    QApplication::processEvents();

    EXPECT_EQ(view.TipText(IndexOf(wide80)), QString(79, 'W'));
    EXPECT_EQ(view.TipText(IndexOf(wide79)), QString(79, 'W'));
    EXPECT_EQ(view.TipText(IndexOf(wide200)), QString(79, 'M'));
    EXPECT_EQ(view.TipText(IndexOf(root)), QString());  // fits: no tip

    const QRect rect = view.visualRect(IndexOf(wide200));
    QHelpEvent help(QEvent::ToolTip, rect.center(), view.viewport()->mapToGlobal(rect.center()));
    QApplication::sendEvent(view.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), QString(79, 'M'));
    QToolTip::hideText();
}

TEST_F(TreeViewTest, RightClickDoesNotSelect) {
    view.setCurrentIndex(IndexOf(root));
    view.expand(IndexOf(root));
    const QRect rect = view.visualRect(IndexOf(folder));
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, rect.center());
    EXPECT_EQ(view.currentIndex(), IndexOf(root));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(view.currentIndex(), IndexOf(folder));
}

}  // namespace
