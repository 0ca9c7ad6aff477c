// The drawing panel: mouse events with panel positions, painting, addPanel.
#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "forms/GBApplet.h"

namespace {

using formtest::driver;

// Records every mouse operation with its position.
class RecordingPanel : public forms::GBPanel {
public:
    std::vector<std::string> calls;
    void mouseClicked(int x, int y) override { note("clicked", x, y); }
    void mouseDragged(int x, int y) override { note("dragged", x, y); }
    void mouseEntered(int x, int y) override { note("entered", x, y); }
    void mouseExited(int, int) override { calls.push_back("exited"); }
    void mouseMoved(int x, int y) override { note("moved", x, y); }
    void mousePressed(int x, int y) override { note("pressed", x, y); }
    void mouseReleased(int x, int y) override { note("released", x, y); }

private:
    void note(const char* what, int x, int y) {
        calls.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class OnlyClicks : public forms::GBPanel {
public:
    std::vector<rt::Point> clicks;
    void mouseClicked(int x, int y) override { clicks.push_back({x, y}); }
};

// A panel placed below a label, so that its position in the window is not
// its own origin.
template <class P>
P& placedPanel(forms::GBFrame& frame) {
    frame.addLabel(u"above", 1, 1, 1, 1);
    P* panel = frame.addPanel(std::make_unique<P>(), 2, 1, 1, 1);
    frame.setSize(300, 300);
    frame.setVisible(true);
    driver().processEvents();
    return *panel;
}

TEST(DrawingPanel, PressDragReleaseArriveInOrderWithTheirOwnPositions) {
    forms::GBFrame frame;
    RecordingPanel& panel = placedPanel<RecordingPanel>(frame);
    ASSERT_GT(panel.panel().bounds().y, 0);
    driver().movePointer(panel.panel(), {{10, 12}, {20, 25}, {40, 30}}, true);
    EXPECT_EQ(panel.calls, (std::vector<std::string>{"entered 10,12", "pressed 10,12", "dragged 20,25",
                                                     "dragged 40,30", "released 40,30", "exited"}));
    panel.calls.clear();
    driver().movePointer(panel.panel(), {{5, 5}, {6, 7}}, false);
    EXPECT_EQ(panel.calls, (std::vector<std::string>{"entered 5,5", "moved 6,7", "exited"}));
}

TEST(DrawingPanel, ClickAtTheTopLeftPixelIsAtZeroZero) {
    forms::GBFrame frame;
    RecordingPanel& panel = placedPanel<RecordingPanel>(frame);
    driver().clickAt(panel.panel(), {0, 0}, 1);
    EXPECT_EQ(panel.calls, (std::vector<std::string>{"pressed 0,0", "released 0,0", "clicked 0,0"}));
}

TEST(DrawingPanel, SubclassOverridingOnlyClicksGetsOnlyClicks) {
    forms::GBFrame frame;
    OnlyClicks& panel = placedPanel<OnlyClicks>(frame);
    driver().movePointer(panel.panel(), {{3, 3}, {30, 30}}, true);
    driver().movePointer(panel.panel(), {{3, 3}, {30, 30}}, false);
    EXPECT_TRUE(panel.clicks.empty());
    driver().clickAt(panel.panel(), {17, 9}, 1);
    EXPECT_EQ(panel.clicks, (std::vector<rt::Point>{{17, 9}}));
}

// Draws a red horizontal line, a blue filled square, a green disc and text.
class Sketch : public forms::GBPanel {
public:
    int paints = 0;
    rt::Size seen;
    void paint(rt::Graphics& g) override {
        ++paints;
        seen = g.size();
        EXPECT_EQ(g.color(), rt::Color::Black);
        g.setColor(rt::Color::Red);
        g.drawLine(5, 10, 60, 10);
        g.setColor(rt::Color::Blue);
        g.fillRect(20, 30, 10, 10);
        g.setColor(rt::Color::Green);
        g.fillOval(70, 30, 20, 20);
        g.setColor(rt::Color::Blue);
        g.setFont(rt::Font{u"Courier", rt::Font::Bold, 14});
        g.drawString(u"text", 5, 70);
    }
};

rt::Color pixel(forms::GBPanel& panel, int x, int y) { return driver().pixelAt(panel.panel(), {x, y}); }

TEST(DrawingPanel, PaintDrawsInThePanelsCoordinatesAndRepaintAsksAgain) {
    forms::GBFrame frame;
    Sketch& sketch = placedPanel<Sketch>(frame);
    EXPECT_EQ(pixel(sketch, 30, 10), rt::Color::Red);
    EXPECT_EQ(pixel(sketch, 5, 10), rt::Color::Red);
    EXPECT_EQ(pixel(sketch, 25, 35), rt::Color::Blue);
    EXPECT_EQ(pixel(sketch, 29, 39), rt::Color::Blue);
    EXPECT_NE(pixel(sketch, 30, 40), rt::Color::Blue);
    EXPECT_NE(pixel(sketch, 30, 11), rt::Color::Red);
    EXPECT_EQ(pixel(sketch, 80, 40), rt::Color::Green);
    EXPECT_NE(pixel(sketch, 71, 31), rt::Color::Green);  // outside the circle, inside its square
    int textPixels = 0;
    for (int x = 5; x < 45; ++x) {
        for (int y = 55; y <= 70; ++y) textPixels += pixel(sketch, x, y) == rt::Color::Blue;
    }
    EXPECT_GT(textPixels, 10);
    const rt::Rect bounds = sketch.panel().bounds();
    EXPECT_EQ(sketch.seen, (rt::Size{bounds.width, bounds.height}));

    const int before = sketch.paints;
    sketch.repaint();
    driver().processEvents();
    EXPECT_GT(sketch.paints, before);
}

template <class Base>
struct Exposed : Base {
    using Base::Base;
    using Base::contentPane;
    using Base::gbc;
    using Base::gbl;
};

template <class Form>
void expectPanelPlacement(Form& form) {
    form.addLabel(u"first", 1, 1, 1, 1);
    forms::GBPanel* panel = form.addPanel(std::make_unique<forms::GBPanel>(), 2, 1, 3, 2);
    const rt::CellConstraints c = form.gbl->constraintsOf(panel->panel());
    EXPECT_EQ(&form.contentPane->componentAt(1), &panel->panel());
    EXPECT_EQ(c.anchor, rt::Anchor::NorthWest);
    EXPECT_EQ(c.fill, rt::Fill::Both);
    EXPECT_EQ(c.weightx, 500.0);
    EXPECT_EQ(c.weighty, 500.0);
    EXPECT_EQ((rt::Rect{c.gridx, c.gridy, c.gridwidth, c.gridheight}), (rt::Rect{0, 1, 3, 2}));
    EXPECT_EQ(form.gbc.weightx, 100.0);
    EXPECT_EQ(form.gbc.weighty, 100.0);
}

TEST(DrawingPanel, AddPanelPlacesThePanelItselfStretchedOnEveryFormClass) {
    Exposed<forms::GBFrame> frame;
    expectPanelPlacement(frame);
    Exposed<forms::GBDialog> dialog(nullptr);
    expectPanelPlacement(dialog);
    Exposed<forms::GBApplet> applet;
    expectPanelPlacement(applet);
}

}  // namespace
