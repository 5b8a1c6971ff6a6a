#pragma once
#include <string>

class QWidget;

// The save dialog: remembers the last accepted name and file type for the run.
class TSaveDialog {
public:
    std::string FileName;  // code page 932, as the dialog returned it
    int FilterIndex = 1;

    // Modal; true when the user accepted a name.
    bool Execute(QWidget* owner);
};
