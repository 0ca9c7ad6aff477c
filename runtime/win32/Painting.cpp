// Graphics over a GDI device context, for the painters of plain panels.

#include "runtime/win32/Painting.h"

namespace rtwin {

namespace {

COLORREF colorRef(rt::Color c) { return RGB(c.red, c.green, c.blue); }

// Outlines one pixel wide in the current colour; fills without an outline.
class GdiGraphics final : public rt::Graphics {
public:
    GdiGraphics(HDC dc, rt::Size size, HFONT font) : dc_(dc), size_(size) {
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_BASELINE | TA_LEFT);
        SelectObject(dc, font);
        setColor(rt::Color::Black);
    }
    ~GdiGraphics() override {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        if (pen_ != nullptr) DeleteObject(pen_);
        if (brush_ != nullptr) DeleteObject(brush_);
    }

    rt::Size size() const override { return size_; }
    rt::Color color() const override { return color_; }
    void setColor(rt::Color color) override {
        color_ = color;
        HPEN pen = CreatePen(PS_SOLID, 1, colorRef(color));
        SelectObject(dc_, pen);
        if (pen_ != nullptr) DeleteObject(pen_);
        pen_ = pen;
        if (brush_ != nullptr) DeleteObject(brush_);
        brush_ = CreateSolidBrush(colorRef(color));
        SetTextColor(dc_, colorRef(color));
    }
    void setFont(const rt::Font& font) override { SelectObject(dc_, fontFor(font)); }

    // Both ends are drawn.
    void drawLine(int x1, int y1, int x2, int y2) override {
        MoveToEx(dc_, x1, y1, nullptr);
        LineTo(dc_, x2, y2);
        SetPixelV(dc_, x2, y2, colorRef(color_));
    }
    void drawRect(int x, int y, int width, int height) override {
        const POINT corners[] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}, {x, y}};
        Polyline(dc_, corners, 5);
    }
    void fillRect(int x, int y, int width, int height) override {
        const RECT r{x, y, x + width, y + height};
        FillRect(dc_, &r, brush_);
    }
    void drawOval(int x, int y, int width, int height) override {
        HGDIOBJ old = SelectObject(dc_, GetStockObject(NULL_BRUSH));
        Ellipse(dc_, x, y, x + width + 1, y + height + 1);
        SelectObject(dc_, old);
    }
    void fillOval(int x, int y, int width, int height) override {
        HGDIOBJ oldPen = SelectObject(dc_, GetStockObject(NULL_PEN));
        HGDIOBJ oldBrush = SelectObject(dc_, brush_);
        Ellipse(dc_, x, y, x + width + 1, y + height + 1);
        SelectObject(dc_, oldBrush);
        SelectObject(dc_, oldPen);
    }
    void drawString(const rt::String& text, int x, int y) override {
        const std::wstring wide = toW(text);
        TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
    }

private:
    HDC dc_;
    rt::Size size_;
    rt::Color color_;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
};

}  // namespace

void paintWith(HWND hwnd, HFONT font, rt::Painter& painter) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    const int saved = SaveDC(dc);
    {
        GdiGraphics graphics(dc, {client.right, client.bottom}, font);
        deliver([&] { painter.paint(graphics); });
    }
    RestoreDC(dc, saved);
    EndPaint(hwnd, &ps);
}

}  // namespace rtwin
