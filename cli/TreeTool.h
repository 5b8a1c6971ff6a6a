#pragma once
#include <string>
#include <vector>

namespace cli {

// Exit statuses of orvale-tree.
inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;  // the folder cannot be opened, or the output cannot be written
inline constexpr int kUsage = 2;
inline constexpr int kInterrupted = 130;  // Ctrl+C, as a shell counts SIGINT

// The whole program: orvale-tree [OPTION]... [FOLDER]. The arguments after the program's
// name, as the file system spells names (UTF-8).
int RunTreeTool(const std::vector<std::string>& arguments);

}  // namespace cli
