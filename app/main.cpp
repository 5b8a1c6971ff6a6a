#include <QApplication>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/Unit1.h"
#include "platform/Platform.h"
#include "resources/Texts.h"

namespace {

constexpr int kUsageError = 2;

struct Arguments {
    bool valid = true;
    bool help = false;
    std::optional<std::string> folder;  // as given, native spelling
};

// What Qt has left of the command line: at most one folder ("--" ends the options).
Arguments ReadArguments(int argc, char* argv[]) {
    Arguments arguments;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            arguments.help = true;
        } else if (options && argument.size() > 1 && argument.front() == '-') {
            arguments.valid = false;
        } else if (arguments.folder) {
            arguments.valid = false;
        } else {
            arguments.folder = std::string(argument);
        }
    }
    return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const Arguments arguments = ReadArguments(argc, argv);
    if (!arguments.valid || arguments.help) {
        std::fprintf(arguments.valid ? stdout : stderr, "%s\n", std::string(texts::kOrvaleUsage).c_str());
        return arguments.valid ? 0 : kUsageError;
    }
    SetUpApplication(application);
    // ESC comes from the X server the window is on, when there is one.
    const std::unique_ptr<platform::Desktop> desktop = platform::NativeDesktop(XDisplayName());
    platform::Platform& native = platform::NativePlatform();
    platform::Platform machine{native.drives, native.files, *desktop, native.saves};
    platform::Install(&machine);

    TForm1 Form1;
    if (arguments.folder) Form1.ScanFolderWhenShown(*arguments.folder);
    Form1.show();
    const int status = application.exec();
    platform::Install(nullptr);
    return status;
}
