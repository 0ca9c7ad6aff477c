// The applet host of every toolkit: an applet created by name in a
// top-level frame, both kept until the process ends; closing the frame ends
// the process with status 0.

#include <memory>
#include <vector>

#include "runtime/Applet.h"
#include "runtime/Toolkit.h"

namespace rt {

namespace {

class EndOnClose final : public rt::WindowListener {
public:
    explicit EndOnClose(rt::Toolkit& toolkit) : toolkit_(toolkit) {}
    void windowClosing(const rt::WindowEvent&) override { toolkit_.platform().exitProcess(0); }

private:
    rt::Toolkit& toolkit_;
};

struct HostedApplet {
    std::unique_ptr<rt::Applet> applet;
    std::unique_ptr<rt::Frame> frame;
};

}  // namespace

rt::Frame* Toolkit::hostApplet(const rt::AppletClass* table, const rt::String& name, int width, int height) {
    const rt::AppletClass* found = rt::findAppletClass(table, rt::toUtf8(name));
    if (found == nullptr) return nullptr;
    // Never destroyed: the hosted applets go with the process, after the
    // application object that their widgets need is gone.
    static auto* hosted = new std::vector<HostedApplet>;
    HostedApplet host{found->create(), createFrame()};
    host.frame->setTitle(name);
    host.frame->contentPane().add(host.applet->appletPanel(), rt::BorderPlace::Center);
    host.applet->appletPanel().setHostWindow(host.frame.get());
    host.frame->addWindowListener(std::make_unique<EndOnClose>(*this));
    host.frame->setSize(width, height);
    host.frame->setVisible(true);
    hosted->push_back(std::move(host));
    return hosted->back().frame.get();
}

}  // namespace rt
