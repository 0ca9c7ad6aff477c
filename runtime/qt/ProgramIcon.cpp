#include "runtime/qt/ProgramIcon.h"

#include <QApplication>
#include <QIcon>

namespace rtqt {

void setProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 96, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/hangman-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}

}  // namespace rtqt
