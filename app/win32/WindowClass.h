#pragma once
// The window classes of the program's own windows: one description, each with its
// procedure, its cursor and the face colour behind it.
#include <windows.h>

WNDCLASSEXW OwnWindowClass(const wchar_t* name, WNDPROC procedure, LPCWSTR cursor = IDC_ARROW);
