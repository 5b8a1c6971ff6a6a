// Memo creation: the folder tree as box-drawn text in the editor.
#include <string_view>

#include "app/Form1Handlers.h"
#include "app/LongWork.h"
#include "app/StatusLine.h"
#include "dialogs/MessageDialog.h"
#include "resources/Texts.h"
#include "text/EditorPane.h"
#include "text/LineRules.h"
#include "text/TreeText.h"
#include "tree/TreePane.h"

void Form1Handlers::MnuMemoClick(const void*) {
    // Only Yes goes on: a question dismissed with the close box must not delete the text.
    if (AskReplaceMemo() != mrYes) return;
    TTreeNodes& nodes = Tree().Items();
    if (nodes.NodeCount() == 0) {
        ShowNoDriveSelected();
        return;
    }
    Status().SetText(texts::Cp932(texts::kBuildingMemo));
    Status().RepaintNow();

    treetext::Text text;
    {
        const StoreLoan loan(Tree(), StoreLoan::kRead);
        Work().Run([&] { text = treetext::BuildTreeText(nodes, linerules::kMaxLength); }, {});
    }
    EditorPane& memo = Editor();
    memo.ClearLines();
    // Everything that fits, inserted at once, is the text one append per line would leave.
    std::string_view body = text.bytes;
    if (!text.cut && body.size() >= 2) body.remove_suffix(2);
    if (!text.bytes.empty()) memo.AppendLine(body);

    if (text.cut || memo.AppendCut())
        Status().SetText(texts::Cp932(texts::kMemoTruncated));
    else
        Status().Clear();
    memo.SetFocus();
}
