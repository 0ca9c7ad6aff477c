#include "forms/GBPanel.h"

#include <memory>

#include "runtime/Toolkit.h"

namespace forms {

GBPanel::GBPanel() : myPanel(rt::toolkit().createPanel()) {
    myPanel->addMouseListener(std::make_unique<GBPanMouseListener>(*this));
    myPanel->addMouseMotionListener(std::make_unique<GBPanMouseMotionListener>(*this));
    myPanel->setPainter(this);
}

GBPanel::~GBPanel() = default;

void GBPanel::mouseClicked(int, int) {}
void GBPanel::mouseDragged(int, int) {}
void GBPanel::mouseEntered(int, int) {}
void GBPanel::mouseExited(int, int) {}
void GBPanel::mouseMoved(int, int) {}
void GBPanel::mousePressed(int, int) {}
void GBPanel::mouseReleased(int, int) {}
void GBPanel::paint(rt::Graphics&) {}
void GBPanel::repaint() { myPanel->repaint(); }

void GBPanMouseListener::mouseClicked(const rt::MouseEvent& e) { myPanel.mouseClicked(e.point.x, e.point.y); }
void GBPanMouseListener::mouseEntered(const rt::MouseEvent& e) { myPanel.mouseEntered(e.point.x, e.point.y); }
void GBPanMouseListener::mouseExited(const rt::MouseEvent& e) { myPanel.mouseExited(e.point.x, e.point.y); }
void GBPanMouseListener::mousePressed(const rt::MouseEvent& e) { myPanel.mousePressed(e.point.x, e.point.y); }
void GBPanMouseListener::mouseReleased(const rt::MouseEvent& e) {
    myPanel.mouseReleased(e.point.x, e.point.y);
}

void GBPanMouseMotionListener::mouseDragged(const rt::MouseEvent& e) {
    myPanel.mouseDragged(e.point.x, e.point.y);
}
void GBPanMouseMotionListener::mouseMoved(const rt::MouseEvent& e) { myPanel.mouseMoved(e.point.x, e.point.y); }

}  // namespace forms
