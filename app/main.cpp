#include <QApplication>
#include <memory>

#include "app/Application.h"
#include "app/Unit1.h"
#include "platform/Platform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    SetUpApplication(application);
    // ESC comes from the X server the window is on, when there is one.
    const std::unique_ptr<platform::Desktop> desktop = platform::NativeDesktop(XDisplayName());
    platform::Platform& native = platform::NativePlatform();
    platform::Platform machine{native.drives, native.files, *desktop, native.saves};
    platform::Install(&machine);

    TForm1 Form1;
    Form1.show();
    const int status = application.exec();
    platform::Install(nullptr);
    return status;
}
