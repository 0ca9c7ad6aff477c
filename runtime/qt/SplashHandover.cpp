#include "runtime/qt/SplashHandover.h"

#include <dlfcn.h>
#include <link.h>

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <cstring>

#include "splash/SplashProtocol.h"

namespace rtqt {

namespace {

// The splash library when the stub loaded it, found among the loaded
// objects by its file name, or null. Asked by name, dlopen would search
// every library directory for a splash that the stub never loaded (a start
// without splash): some 150 failed file look-ups before the first window.
void* loadedSplashLibrary() {
    const char* path = nullptr;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            const char* slash = std::strrchr(info->dlpi_name, '/');
            const char* name = slash == nullptr ? info->dlpi_name : slash + 1;
            if (std::strcmp(name, splash_protocol::LinuxLibraryName) != 0) return 0;
            *static_cast<const char**>(data) = info->dlpi_name;
            return 1;
        },
        &path);
    return path == nullptr ? nullptr : dlopen(path, RTLD_NOW | RTLD_NOLOAD);
}

// An application-wide filter that sees the expose events of every window.
// The close is queued, so the window paints before the splash goes. It
// holds the library open until then.
class FirstWindowWatch final : public QObject {
public:
    FirstWindowWatch(void* library, splash_protocol::CloseFn close) : library_(library), close_(close) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Expose) return false;
        auto* window = qobject_cast<QWindow*>(watched);
        if (window == nullptr || !window->isTopLevel() || !window->isExposed()) return false;
        qApp->removeEventFilter(this);
        QMetaObject::invokeMethod(
            qApp,
            [library = library_, close = close_] {
                close();
                dlclose(library);
            },
            Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    void* library_;
    splash_protocol::CloseFn close_;
};

}  // namespace

void closeSplashOnFirstWindow() {
    void* library = loadedSplashLibrary();
    if (library == nullptr) return;
    const auto close = reinterpret_cast<splash_protocol::CloseFn>(dlsym(library, splash_protocol::CloseName));
    if (close == nullptr) {
        dlclose(library);
        return;
    }
    qApp->installEventFilter(new FirstWindowWatch(library, close));
}

}  // namespace rtqt
