#pragma once

#include <memory>

#include "forms/GBForm.h"
#include "runtime/Applet.h"
#include "runtime/Windows.h"

namespace forms {

// A grid-bag form on the toolkit's applet panel, which a host creates, sizes
// and shows (see rt::Toolkit::hostApplet). It has the forms' factories,
// handlers and messages, but no title, size, menus or window events of its
// own. Each message box is owned by a frame made for that one message and
// never shown, released when the box has been closed.
class GBApplet : public GBForm, public rt::Applet {
public:
    GBApplet();
    ~GBApplet() override;

    rt::AppletPanel& appletPanel() const override { return *panel; }

private:
    void attachButtonListener(rt::Button& button) override;
    void attachListListener(rt::ListBox& list) override;
    void showMessage(const rt::String& text, int width, int height) override;
    void updateStyle() override;

    std::unique_ptr<rt::AppletPanel> panel;
};

// Reports a press of a button made by addButton to buttonClicked.
class GBAppletButtonListener : public FormButtonListener {
public:
    explicit GBAppletButtonListener(GBApplet& applet) : FormButtonListener(applet) {}
};

// Applies the list click rule (see FormListListener) to a list made by addList.
class GBAppletDCListener : public FormListListener {
public:
    GBAppletDCListener(rt::ListBox& list, GBApplet& applet) : FormListListener(list, applet) {}
};

// The entry of an applet class in a table of rt::AppletClass, for example
// {"Calculator", &createApplet<Calculator>}.
template <std::derived_from<GBApplet> A>
std::unique_ptr<rt::Applet> createApplet() {
    return std::make_unique<A>();
}

}  // namespace forms
