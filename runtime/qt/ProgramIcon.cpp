#include "runtime/qt/ProgramIcon.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>

namespace rtqt {

namespace {

// The icon of one size from its raw premultiplied pixels, the form a pixmap
// keeps: nothing to decode or convert (PNGs cost more than the rest of the
// window's start-up together). Null when the resource is not that size.
QPixmap iconPixmap(int size) {
    const QByteArray pixels = QResource(QStringLiteral(":/icons/hangman-%1.argb").arg(size)).uncompressedData();
    if (pixels.size() != static_cast<qsizetype>(size) * size * 4) return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), size, size, size * 4,
                       QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image);
}

}  // namespace

void setProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 96, 128, 256}) {
        const QPixmap pixmap = iconPixmap(size);
        if (!pixmap.isNull()) icon.addPixmap(pixmap);
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace rtqt
