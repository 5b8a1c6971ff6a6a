// Shows the program's question once and prints the answer: for looking at the dialog
// under a real window system (scripts/message_dialog_screenshot.sh).
#include <QApplication>
#include <cstdio>

#include "app/qt/Application.h"
#include "dialogs/MessageDialog.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    SetUpApplication(application);
    std::printf("%d\n", AskReplaceMemo());
    return 0;
}
