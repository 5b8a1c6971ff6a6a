// Memo creation: the folder tree as box-drawn text in the editor.
#include "app/Unit1.h"

void TForm1::MnuMemoClick(QObject*) {}
