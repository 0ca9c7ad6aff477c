// A form window with a GBPanel subclass: press, drag and release draw a
// stroke; the pointer position shows below the panel.
#include <QApplication>
#include <vector>

#include "forms/GBFrame.h"
#include "forms/GBPanel.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"

namespace {

class Sketchpad : public forms::GBPanel {
public:
    explicit Sketchpad(rt::Label& position) : positionLabel(position) {}

    void clear() {
        strokes.clear();
        repaint();
    }

    void mousePressed(int x, int y) override {
        strokes.push_back({{x, y}});
        repaint();
    }
    void mouseDragged(int x, int y) override {
        if (!strokes.empty()) strokes.back().push_back({x, y});
        show(x, y);
        repaint();
    }
    void mouseMoved(int x, int y) override { show(x, y); }
    void mouseExited(int, int) override { positionLabel.setText(u"Pointer: outside"); }

    void paint(rt::Graphics& g) override {
        const rt::Size size = g.size();
        g.setColor(rt::Color::White);
        g.fillRect(0, 0, size.width, size.height);
        g.setColor(rt::Color::Gray);
        g.drawRect(0, 0, size.width - 1, size.height - 1);
        g.setColor(rt::Color::Blue);
        for (const std::vector<rt::Point>& stroke : strokes) {
            g.fillOval(stroke.front().x - 3, stroke.front().y - 3, 6, 6);
            for (std::size_t i = 1; i < stroke.size(); ++i) {
                g.drawLine(stroke[i - 1].x, stroke[i - 1].y, stroke[i].x, stroke[i].y);
            }
        }
        if (strokes.empty()) {
            g.setColor(rt::Color::Gray);
            g.drawString(u"Press, drag and release to draw", 10, 20);
        }
    }

private:
    void show(int x, int y) {
        positionLabel.setText(u"Pointer: " + rt::decimalText(x) + u", " + rt::decimalText(y));
    }

    rt::Label& positionLabel;
    std::vector<std::vector<rt::Point>> strokes;
};

class DrawFrame : public forms::GBFrame {
public:
    DrawFrame() {
        setTitle(u"Drawing demo");
        rt::Label* position = addLabel(u"Pointer: outside", 2, 1, 1, 1);
        pad = addPanel(std::make_unique<Sketchpad>(*position), 1, 1, 2, 1);
        clearButton = addButton(u"Clear", 2, 2, 1, 1);
    }

    void buttonClicked(rt::Button&) override { pad->clear(); }

private:
    Sketchpad* pad;
    rt::Button* clearButton;
};

}  // namespace

int main(int argc, char** argv) {
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    DrawFrame frame;
    frame.setSize(420, 340);
    frame.setVisible(true);
    return QApplication::exec();
}
