#include "app/win32/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Win32Names.h"

CommandLine ReadCommandLine(const std::vector<std::wstring>& arguments) {
    CommandLine line;
    bool options = true;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (options && argument == L"--") {
            options = false;
        } else if (options && (argument == L"-h" || argument == L"--help" || argument == L"/?")) {
            line.help = true;
        } else if ((options && argument.size() > 1 && argument.front() == L'-') || line.folder) {
            line.valid = false;
        } else {
            line.folder = platform::NativeFromArgument(argument);
        }
    }
    return line;
}

std::vector<std::wstring> ProcessArguments() {
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    if (!split) return arguments;
    arguments.assign(split, split + count);
    LocalFree(split);
    return arguments;
}
