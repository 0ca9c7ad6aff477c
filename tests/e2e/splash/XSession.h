#pragma once

// A private Xvfb server and an XCB client on it, for tests that look at the
// windows a program maps: map events, stacking, geometry, properties and
// the pixels on screen.

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/startup/Harness.h"

namespace e2e {

struct WindowBox {
    int x = 0, y = 0, width = 0, height = 0;
};

class XSession {
public:
    // Starts Xvfb (1024 x 768 x 24) writing its log into dir; watches the
    // root window's map events from the start. Check ok().
    explicit XSession(const fs::path& dir);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return connection_ != nullptr; }
    const std::string& display() const { return display_; }
    int width() const;
    int height() const;

    // Waits up to seconds for a top-level window to be mapped that matches;
    // every window mapped meanwhile is appended to mapped. 0 when none.
    xcb_window_t waitForMap(double seconds, const std::function<bool(xcb_window_t)>& matches,
                            std::vector<xcb_window_t>* mapped = nullptr);
    // Waits up to seconds for the window to be destroyed or unmapped.
    bool waitForGone(xcb_window_t window, double seconds);

    std::string wmClass(xcb_window_t window);  // the class part of WM_CLASS
    std::string title(xcb_window_t window);    // WM_NAME
    std::vector<std::uint32_t> cardinals(xcb_window_t window, const char* property);
    std::uint32_t atom(const char* name);
    std::vector<xcb_window_t> stacking();  // top-level windows, bottom first
    WindowBox box(xcb_window_t window);   // in root coordinates
    // The window's pixels as 0x00RRGGBB, row by row (empty when not viewable).
    std::vector<std::uint32_t> grab(xcb_window_t window);

private:
    std::unique_ptr<Background> server_;
    std::string display_;
    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    std::vector<xcb_window_t> gone_;
};

}  // namespace e2e
