#include "startup/os.h"

namespace os {

namespace {
const char* eventSource = nullptr;
}

void setEventSource(const char* name) { eventSource = name; }

void messageOutput(const char* text) {
    if (text[0] == '\0') return;
    showMessage(text);
    if (eventSource != nullptr) reportEvent(eventSource, text);
}

void fatal(const char* text) {
    if (text != nullptr) messageOutput(text);
    exitProcess(1);
}

}  // namespace os
