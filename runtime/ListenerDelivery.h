#pragma once

// Listener calls as every toolkit makes them. An exception must not unwind
// through the toolkit's event delivery (Qt aborts, the system's message
// dispatch is no place for it either): it is reported on standard error
// and the event loop goes on with the next event.

#include <exception>
#include <memory>
#include <vector>

#include "runtime/Events.h"

namespace rt {

void reportListenerFailure(const char* what) noexcept;

template <class Call>
void deliver(Call&& call) noexcept {
    try {
        call();
    } catch (const std::exception& error) {
        reportListenerFailure(error.what());
    } catch (...) {
        reportListenerFailure("an exception of unknown type");
    }
}

// Action listeners shared by buttons and menu items: owned or borrowed.
class ActionListeners {
public:
    void add(std::unique_ptr<ActionListener> listener) {
        owned_.push_back(std::move(listener));
        all_.push_back(owned_.back().get());
    }
    void add(ActionListener& listener) { all_.push_back(&listener); }
    void fire(EventSource& source) const {
        const auto listeners = all_;
        for (ActionListener* l : listeners) deliver([&] { l->actionPerformed({source}); });
    }

private:
    std::vector<std::unique_ptr<ActionListener>> owned_;
    std::vector<ActionListener*> all_;
};

}  // namespace rt
