#include <QApplication>

#include "app/Application.h"
#include "app/Unit1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    SetUpApplication(application);
    TForm1 Form1;
    Form1.show();
    return application.exec();
}
