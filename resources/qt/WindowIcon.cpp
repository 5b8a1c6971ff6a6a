#include "resources/qt/WindowIcon.h"

#include <QPixmap>

#include "resources/orvale_icon.xpm"

QIcon WindowIcon() { return QIcon(QPixmap(orvale_icon_xpm)); }
