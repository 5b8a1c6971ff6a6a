#include <QApplication>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/qt/Application.h"
#include "app/qt/Unit1.h"
#include "platform/Platform.h"
#include "resources/Texts.h"

namespace {

constexpr int kUsageError = 2;

// Qt's own options, which QApplication takes out of the command line: those that take a
// value (also written "-style=fusion") and those that do not.
constexpr std::array<std::string_view, 13> kQtOptionsWithValue = {
    "-style",   "-stylesheet", "-platform",        "-platformpluginpath", "-platformtheme",
    "-plugin",  "-session",    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",
    "-display", "-geometry",   "-qmljsdebugger"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-widgetcount", "-reverse", "-nograb", "-dograb", "-sync"};

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view known : names)
        if (name == known) return true;
    return false;
}

struct Arguments {
    bool valid = true;
    bool help = false;
    std::optional<std::string> folder;  // as given, native spelling
};

// At most one folder ("--" ends the options). Read before Qt starts, so that a mistake is
// one line on standard error, even where no display can be had.
Arguments ReadArguments(int argc, char* argv[]) {
    Arguments arguments;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::string_view name = argument.substr(0, argument.find('='));
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            arguments.help = true;
        } else if (options && Among(kQtOptionsWithValue, name)) {
            if (name == argument) ++i;  // the value is the next argument
        } else if (options && Among(kQtFlags, argument)) {
            continue;
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

// Every thread that allocates gets a heap of its own from glibc, with 64 MB of address space
// set aside for it: the scan's read-ahead threads would take that from the room the window
// keeps back for a scan that runs out of memory. A couple of heaps do for every thread.
void ShareHeaps() {
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 2);
#endif
}

int main(int argc, char* argv[]) {
    ShareHeaps();
    const Arguments arguments = ReadArguments(argc, argv);
    if (!arguments.valid || arguments.help) {
        std::fprintf(arguments.valid ? stdout : stderr, "%s\n", std::string(texts::kOrvaleUsage).c_str());
        return arguments.valid ? 0 : kUsageError;
    }
    QApplication application(argc, argv);
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
