// The Edit menu: every command acts on the editor, whichever control has the focus.
#include "app/Form1Handlers.h"
#include "text/EditorPane.h"

void Form1Handlers::MnuCutClick(const void*) { Editor().CutToClipboard(); }

void Form1Handlers::MnuCopyClick(const void*) { Editor().CopyToClipboard(); }

void Form1Handlers::MnuPasteClick(const void*) { Editor().PasteFromClipboard(); }

void Form1Handlers::MnuAllSelectClick(const void*) {
    EditorPane& memo = Editor();
    memo.SetFocus();
    memo.SelectAll();
}
