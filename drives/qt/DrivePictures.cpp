#include "drives/qt/DrivePictures.h"

#include <QBitmap>
#include <QImage>

#include "resources/cdrom.xpm"
#include "resources/floppy.xpm"
#include "resources/hard.xpm"
#include "resources/network.xpm"
#include "resources/ram.xpm"

namespace {

// Every pixel of the bottom-left pixel's colour lets the row's background through.
QPixmap WithKeyColourClear(const char* const* xpm) {
    QPixmap picture(xpm);
    const QImage image = picture.toImage();
    const QRgb key = image.pixel(0, image.height() - 1);
    picture.setMask(QBitmap::fromImage(image.createMaskFromColor(key, Qt::MaskInColor)));
    return picture;
}

}  // namespace

DrivePictures::DrivePictures()
    : pictures_{WithKeyColourClear(floppy_xpm), WithKeyColourClear(hard_xpm), WithKeyColourClear(network_xpm),
                WithKeyColourClear(cdrom_xpm), WithKeyColourClear(ram_xpm)} {}
