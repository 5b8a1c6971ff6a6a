// Memo creation: the folder tree as box-drawn text in the editor.
#include "app/Unit1.h"

#include "app/AliveWork.h"
#include "dialogs/MessageDialog.h"
#include "resources/Texts.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "text/qt/TMemo.h"
#include "tree/qt/TTreeView.h"

void TForm1::MnuMemoClick(QObject*) {
    // Only Yes goes on: a question dismissed with the close box must not delete the text.
    if (AskReplaceMemo() != mrYes) return;
    TTreeNodes& nodes = TreeView1->Items();
    if (nodes.NodeCount() == 0) {
        ShowNoDriveSelected();
        return;
    }
    Status().SetText(texts::Cp932(texts::kBuildingMemo));
    Status().RepaintNow();

    treetext::Text text;
    {
        const StoreLoan loan(*TreeView1, StoreLoan::kRead);
        alivework::Run([&] { text = treetext::BuildTreeText(nodes, linerules::kMaxLength); });
    }
    Memo1->ClearLines();
    // Everything that fits, inserted at once, is the text one append per line would leave.
    std::string_view body = text.bytes;
    if (!text.cut && body.size() >= 2) body.remove_suffix(2);
    if (!text.bytes.empty()) Memo1->AppendLine(body);

    if (text.cut || Memo1->AppendCut())
        Status().SetText(texts::Cp932(texts::kMemoTruncated));
    else
        Status().Clear();
    Memo1->setFocus();
}
