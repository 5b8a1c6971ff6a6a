#pragma once
// What the program's own dialogs share on Windows: an empty dialog made from no template
// (the dialog manager's keyboard handling, nothing else from it), the system's message font
// and the screen they are centred on.
#include <windows.h>

#include "dialogs/MessageLayout.h"
#include "resources/win32/Gdi.h"

// A hidden, empty modal-frame dialog owned by the active window; `self` reaches `procedure`
// with WM_INITDIALOG.
HWND CreateEmptyDialog(DLGPROC procedure, LPARAM self);

// The system's message font at a DPI; nothing when the metrics cannot be read.
FontHandle MessageFont(UINT dpi);

// The monitor that holds the application's active window.
msglayout::Rect ScreenOfActiveWindow();

// The 52 letters A..Z a..z in the font selected into `dc`: what the layouts size text by.
msglayout::Size LetterRun(HDC dc);

// The outer window's size less its client area's.
msglayout::Size FrameOf(HWND window);
