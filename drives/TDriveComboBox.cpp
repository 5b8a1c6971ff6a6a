#include "drives/FileCtrl.h"

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent) {}

void TDriveComboBox::CreateWnd() {
    if (created_) return;
    created_ = true;
    RebuildDriveList();
}

void TDriveComboBox::RebuildDriveList() { clear(); }

void TDriveComboBox::SelectDrive(char letter) {
    currentDrive_ = letter;
    if (OnChange) OnChange(this);
}
