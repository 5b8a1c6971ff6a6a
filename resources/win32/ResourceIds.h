#pragma once
// Names of the resources Orvale.rc puts into the program; the window and its tests load them
// by these names.

// The window icon, 32 x 32, 16 colours.
#define ORVALE_ICON_NAME L"ORVALE"
