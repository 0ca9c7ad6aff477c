#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "runtime/Events.h"

namespace rt {

// The life of a toolkit window as every backend drives it: its window
// listeners (owned or borrowed), windowOpened on the first showing only,
// dispose firing windowClosed when the window was displayable, and the modal
// loops a modal window runs while shown, each ended by hiding the window.
class WindowLifecycle {
public:
    using Notice = void (WindowListener::*)(const WindowEvent&);

    explicit WindowLifecycle(Window& window) : window_(window) {}

    void add(std::unique_ptr<WindowListener> listener);
    void add(WindowListener& listener);
    // Calls the listeners there are when the notice starts.
    void fire(Notice notice);

    // The window is about to be shown: it is displayable until disposed of.
    void showing() { displayable_ = true; }
    // The window is on the screen: windowOpened the first time only.
    void shown();
    // hide takes the window off the screen; windowClosed follows when the
    // window had been displayable, so a second dispose is quiet.
    void dispose(const std::function<void()>& hide);

    // Runs the platform's event loop (run) until the window is hidden; quit
    // makes run return. A loop started while one runs nests inside it, and
    // hiding ends the innermost.
    void runModal(const std::function<void()>& run, std::function<void()> quit);
    // The window has been hidden.
    void hidden();

private:
    Window& window_;
    std::vector<std::unique_ptr<WindowListener>> owned_;
    std::vector<WindowListener*> listeners_;
    std::function<void()> quitModal_;
    bool displayable_ = false;
    bool opened_ = false;
};

}  // namespace rt
