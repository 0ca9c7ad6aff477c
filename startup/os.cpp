#include "startup/os.h"

namespace os {

namespace {
const char* eventSource = nullptr;
void (*beforeMessage)() = nullptr;
}

void setEventSource(const char* name) { eventSource = name; }

void setBeforeMessage(void (*routine)()) { beforeMessage = routine; }

void messageOutput(const char* text) {
    if (text[0] == '\0') return;
    if (void (*routine)() = beforeMessage) {
        beforeMessage = nullptr;
        routine();
    }
    showMessage(text);
    if (eventSource != nullptr) reportEvent(eventSource, text);
}

void fatal(const char* text) {
    if (text != nullptr) messageOutput(text);
    exitProcess(1);
}

}  // namespace os
