#pragma once
class QApplication;

#include <string>

// What start-up sets on the application object: title, Japanese fonts, Qt's own
// Japanese translation, the real dialogs, and the focus coming back after every dialog.
// Shared by the program and its widget tests.
void SetUpApplication(QApplication& application);

// The name of the X server Qt draws on; empty under any other of Qt's platforms
// (offscreen, Wayland, ...), where no key map can be asked for ESC.
std::string XDisplayName();
