#include "runtime/WindowLifecycle.h"

#include <utility>

#include "runtime/ListenerDelivery.h"

namespace rt {

void WindowLifecycle::add(std::unique_ptr<WindowListener> listener) {
    owned_.push_back(std::move(listener));
    listeners_.push_back(owned_.back().get());
}

void WindowLifecycle::add(WindowListener& listener) { listeners_.push_back(&listener); }

void WindowLifecycle::fire(Notice notice) {
    const auto listeners = listeners_;
    for (WindowListener* l : listeners) deliver([&] { (l->*notice)({window_}); });
}

void WindowLifecycle::shown() {
    if (!std::exchange(opened_, true)) fire(&WindowListener::windowOpened);
}

void WindowLifecycle::dispose(const std::function<void()>& hide) {
    const bool wasDisplayable = std::exchange(displayable_, false);
    hide();
    if (wasDisplayable) fire(&WindowListener::windowClosed);
}

void WindowLifecycle::runModal(const std::function<void()>& run, std::function<void()> quit) {
    // The outer loop's quit comes back however the inner loop ends.
    struct Restore {
        std::function<void()>& current;
        std::function<void()> outer;
        ~Restore() { current = std::move(outer); }
    } restore{quitModal_, std::exchange(quitModal_, std::move(quit))};
    run();
}

void WindowLifecycle::hidden() {
    if (quitModal_) quitModal_();
}

}  // namespace rt
