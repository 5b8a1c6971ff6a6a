// The folder scan: the drive selector's change handler and its two steps.
#include "app/Unit1.h"

void TForm1::DriveComboBox1Change(QObject*) {
    if (!Activated) return;
}

std::string TForm1::NodePath(int) { return {}; }

void TForm1::AddSubfolders(const std::string&, TTreeNode*) {}
