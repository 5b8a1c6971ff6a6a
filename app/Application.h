#pragma once
class QApplication;

// What start-up sets on the application object: title, Japanese fonts and Qt's own
// Japanese translation. Shared by the program and its widget tests.
void SetUpApplication(QApplication& application);
