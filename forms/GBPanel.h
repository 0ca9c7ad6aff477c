#pragma once

#include "runtime/Events.h"
#include "runtime/Graphics.h"
#include "runtime/Widgets.h"

namespace forms {

// A plain panel of the toolkit that turns every mouse event on it into a
// call of one overridable operation with the pointer position (pixels from
// the panel's top-left corner). Subclasses override the operations they
// need, and paint to draw the panel's content. The forms place it with
// addPanel, which gives it to the form: the panel's adapters and painter
// refer to this object, so it must outlive the window it is shown in.
class GBPanel : public rt::Painter {
public:
    GBPanel();
    ~GBPanel() override;
    GBPanel(const GBPanel&) = delete;
    GBPanel& operator=(const GBPanel&) = delete;

    // Each does nothing unless overridden.
    virtual void mouseClicked(int x, int y);
    virtual void mouseDragged(int x, int y);
    virtual void mouseEntered(int x, int y);
    virtual void mouseExited(int x, int y);
    virtual void mouseMoved(int x, int y);
    virtual void mousePressed(int x, int y);
    virtual void mouseReleased(int x, int y);

    // Draws the content over the panel's background each time the toolkit
    // paints it; paints nothing unless overridden.
    void paint(rt::Graphics& graphics) override;
    // Asks for the panel to be painted again soon.
    void repaint();

    rt::Panel& panel() const { return *myPanel; }

private:
    rt::Panel* myPanel;
};

// Forwards clicks, presses, releases, entries and exits to the panel.
class GBPanMouseListener : public rt::MouseListener {
public:
    explicit GBPanMouseListener(GBPanel& panel) : myPanel(panel) {}
    void mouseClicked(const rt::MouseEvent& event) override;
    void mouseEntered(const rt::MouseEvent& event) override;
    void mouseExited(const rt::MouseEvent& event) override;
    void mousePressed(const rt::MouseEvent& event) override;
    void mouseReleased(const rt::MouseEvent& event) override;

private:
    GBPanel& myPanel;
};

// Forwards drags and moves to the panel.
class GBPanMouseMotionListener : public rt::MouseMotionListener {
public:
    explicit GBPanMouseMotionListener(GBPanel& panel) : myPanel(panel) {}
    void mouseDragged(const rt::MouseEvent& event) override;
    void mouseMoved(const rt::MouseEvent& event) override;

private:
    GBPanel& myPanel;
};

}  // namespace forms
