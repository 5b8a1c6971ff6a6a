// orvale-tree: the tree text of a folder or a drive, from a shell.
#include <string>
#include <vector>

#include "cli/StatusAtOnce.h"
#include "cli/TreeTool.h"

#ifdef _WIN32
#include "platform/win32/Win32Names.h"

// The wide command line: a folder or a file name in any script arrives whole.
int wmain(int argc, wchar_t* argv[]) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(platform::NativeFromArgument(argv[i]));
    return cli::RunTreeTool(arguments);
}
#else
int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return cli::RunWithStatusAtOnce([&] { return cli::RunTreeTool(arguments); });
}
#endif
