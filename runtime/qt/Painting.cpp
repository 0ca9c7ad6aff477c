#include "runtime/qt/Painting.h"

#include <QPainter>

#include "runtime/qt/Core.h"

namespace rtqt {

namespace {

class QtGraphics final : public rt::Graphics {
public:
    QtGraphics(QPainter& painter, QSize size) : painter_(painter), size_(size) {
        painter_.setPen(QColor(Qt::black));
        painter_.setBrush(Qt::NoBrush);
    }

    rt::Size size() const override { return fromQ(size_); }
    rt::Color color() const override { return color_; }
    void setColor(rt::Color color) override {
        color_ = color;
        painter_.setPen(QColor(color.red, color.green, color.blue));
    }
    void setFont(const rt::Font& font) override { painter_.setFont(toQFont(font)); }
    void drawLine(int x1, int y1, int x2, int y2) override { painter_.drawLine(x1, y1, x2, y2); }
    void drawRect(int x, int y, int width, int height) override { painter_.drawRect(x, y, width, height); }
    void fillRect(int x, int y, int width, int height) override {
        painter_.fillRect(x, y, width, height, painter_.pen().color());
    }
    void drawOval(int x, int y, int width, int height) override { painter_.drawEllipse(x, y, width, height); }
    void fillOval(int x, int y, int width, int height) override {
        painter_.save();
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(QColor(color_.red, color_.green, color_.blue));
        painter_.drawEllipse(x, y, width, height);
        painter_.restore();
    }
    void drawString(const rt::String& text, int x, int y) override { painter_.drawText(x, y, toQ(text)); }

private:
    QPainter& painter_;
    QSize size_;
    rt::Color color_ = rt::Color::Black;
};

}  // namespace

void PaintedWidget::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (painter_ == nullptr) return;
    QPainter painter(this);
    QtGraphics graphics(painter, size());
    deliver([&] { painter_->paint(graphics); });
}

}  // namespace rtqt
