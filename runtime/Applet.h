#pragma once

#include <memory>
#include <string_view>

#include "runtime/Windows.h"

namespace rt {

// What an applet host runs: an object that owns an applet panel (the
// framework's applet form).
class Applet {
public:
    virtual ~Applet();
    virtual AppletPanel& appletPanel() const = 0;
};

// The applet classes a host can start by name: entries ended by one with a
// null name, like the main-class table.
struct AppletClass {
    const char* name;
    std::unique_ptr<Applet> (*create)();
};

// The entry with exactly that name, or null.
const AppletClass* findAppletClass(const AppletClass* table, std::string_view name);

}  // namespace rt
