// The applet host: a top-level frame around an applet panel, kept until the
// process ends; closing it ends the process with status 0.

#include <memory>
#include <vector>

#include "runtime/Toolkit.h"
#include "runtime/qt/Factories.h"

namespace rtqt {

namespace {

class EndOnClose final : public rt::WindowListener {
public:
    explicit EndOnClose(rt::Toolkit& toolkit) : toolkit_(toolkit) {}
    void windowClosing(const rt::WindowEvent&) override { toolkit_.exitProcess(0); }

private:
    rt::Toolkit& toolkit_;
};

}  // namespace

rt::Frame& hostApplet(rt::Toolkit& toolkit, rt::AppletPanel& applet, const rt::String& title, int width,
                      int height) {
    // Never destroyed: the frames go with the process, after the
    // application object that their widgets need is gone.
    static auto* hosts = new std::vector<std::unique_ptr<rt::Frame>>;
    std::unique_ptr<rt::Frame> frame = makeFrame();
    frame->setTitle(title);
    frame->contentPane().add(applet, rt::BorderPlace::Center);
    frame->addWindowListener(std::make_unique<EndOnClose>(toolkit));
    frame->setSize(width, height);
    frame->setVisible(true);
    hosts->push_back(std::move(frame));
    return *hosts->back();
}

}  // namespace rtqt
