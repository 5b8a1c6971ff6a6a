#pragma once
// Folders dropped from Explorer: a control takes dropped files, and the first of them that
// is a folder is handed on by its native path; other drops are let go.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace folderdrop {

using Handler = std::function<void(const std::string& nativeFolder)>;

// Lets `target` take drops; the handler lives as long as the target's window.
void Install(HWND target, Handler onFolder);

// The first folder among the dropped names, as the file system spells it.
std::optional<std::string> FirstFolder(HDROP drop);

}  // namespace folderdrop
