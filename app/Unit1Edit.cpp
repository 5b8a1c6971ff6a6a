// The Edit menu: every command acts on the editor, whichever control has the focus.
#include "app/Unit1.h"
#include "text/qt/TMemo.h"

void TForm1::MnuCutClick(QObject*) { Memo1->cut(); }

void TForm1::MnuCopyClick(QObject*) { Memo1->copy(); }

void TForm1::MnuPasteClick(QObject*) { Memo1->paste(); }

void TForm1::MnuAllSelectClick(QObject*) {
    Memo1->setFocus(Qt::OtherFocusReason);
    Memo1->selectAll();
}
