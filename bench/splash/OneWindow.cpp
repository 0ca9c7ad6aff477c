// The reference for the splash benchmark: a bare Qt Widgets program that
// opens one 300 x 300 window, as the game's first window is.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Reference"));
    window.resize(300, 300);
    window.show();
    return QApplication::exec();
}
