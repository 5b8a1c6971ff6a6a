#pragma once
// Orvale.exe's command line: at most one folder to scan once the window is up.
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    bool valid = true;
    bool help = false;
    std::optional<std::string> folder;  // native spelling
};

// `arguments` as the system splits the command line (the program's own name first). "--"
// ends the options; "-h", "--help" and "/?" ask for the usage; any other option, or a
// second folder, is a mistake.
CommandLine ReadCommandLine(const std::vector<std::wstring>& arguments);

// The process's own command line, split as the system splits it.
std::vector<std::wstring> ProcessArguments();
