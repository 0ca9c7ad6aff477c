#include "runtime/qt/SplashHandover.h"

#include <dlfcn.h>

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include "splash/SplashProtocol.h"

namespace rtqt {

namespace {

void closeLoadedSplash() {
    void* library = dlopen(splash_protocol::LinuxLibraryName, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return;
    if (auto close = reinterpret_cast<splash_protocol::CloseFn>(dlsym(library, splash_protocol::CloseName))) close();
    dlclose(library);
}

// An application-wide filter that sees the expose events of every window.
// The close is queued, so the window paints before the splash goes.
class FirstWindowWatch final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (window == nullptr || !window->isTopLevel() || !window->isExposed()) return false;
        qApp->removeEventFilter(this);
        QMetaObject::invokeMethod(
            qApp, [] { closeLoadedSplash(); }, Qt::QueuedConnection);
        deleteLater();
        return false;
    }
};

}  // namespace

void closeSplashOnFirstWindow() {
    void* library = dlopen(splash_protocol::LinuxLibraryName, RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return;
    dlclose(library);
    qApp->installEventFilter(new FirstWindowWatch);
}

}  // namespace rtqt
