// Saving: the save command and the two writers.
#include "app/Unit1.h"

void TForm1::MnuSaveClick(QObject*) {}
void TForm1::SaveAsText(const std::string&) {}
void TForm1::SaveAsHtml(const std::string&) {}
