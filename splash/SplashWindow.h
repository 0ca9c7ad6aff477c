#pragma once

// The splash window on an X display: undecorated, centred on the screen,
// typed as a splash for window managers (no frame, no task-bar entry) and
// placed by its own position hints when there is no window manager. Its
// picture is the window's background pixmap, so the X server repaints it by
// itself. Built on XCB: the connection and every error stay private to the
// splash thread, and nothing process-wide (error handlers) is touched.

#include <xcb/xcb.h>

#include "splash/JpegImage.h"
#include "splash/SplashOptions.h"

namespace splash {

class SplashWindow {
public:
    // Connects to the display named by DISPLAY; check connected().
    SplashWindow();
    ~SplashWindow();
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    bool connected() const { return connection_ != nullptr; }
    int fileDescriptor() const;
    // Creates and maps the window; false (nothing shown) when the screen
    // has no true-colour visual with 32-bit pixels.
    bool show(const Image& image, const WindowOptions& options);
    // Reads pending events; true when the user clicked the splash away or
    // the connection broke.
    bool clickedOrLost();

private:
    // The atoms the window's properties name.
    enum Atom {
        NetWmWindowType,
        NetWmWindowTypeSplash,
        NetWmState,
        NetWmStateSkipTaskbar,
        NetWmStateSkipPager,
        NetWmStateAbove,
        MotifWmHints,
        AtomCount
    };

    void askForAtoms();
    void receiveAtoms(xcb_atom_t (&atoms)[AtomCount]);
    bool uploadPicture(const Image& image);
    void setProperties(const WindowOptions& options, int x, int y, const Image& image);

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_window_t window_ = 0;
    xcb_pixmap_t pixmap_ = 0;
    xcb_intern_atom_cookie_t atomCookies_[AtomCount] = {};
};

}  // namespace splash
