#pragma once
#include <QIcon>

// The window icon: 32 x 32, 16 colours.
QIcon WindowIcon();
