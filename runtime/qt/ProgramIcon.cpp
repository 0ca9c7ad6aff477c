#include "runtime/qt/ProgramIcon.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QWidget>
#include <utility>

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

// Made on first use and kept to the end: the process may end without
// destroying the application, and pixmaps must not outlive it.
const QIcon& programIcon() {
    static const QIcon& icon = *[] {
        auto* made = new QIcon;
        for (int size : {16, 22, 24, 32, 48, 64, 96, 128, 256}) {
            const QPixmap pixmap = iconPixmap(size);
            if (!pixmap.isNull()) made->addPixmap(pixmap);
        }
        return made;
    }();
    return icon;
}

bool applicationHasIcon = false;

}  // namespace

void showWithProgramIcon(QWidget& window) {
    if (!applicationHasIcon) window.setWindowIcon(programIcon());
    window.show();
    useProgramIcon();
}

void useProgramIcon() {
    if (!std::exchange(applicationHasIcon, true)) QApplication::setWindowIcon(programIcon());
}

}  // namespace rtqt
