#pragma once

#include <cstdint>

#include "runtime/Font.h"
#include "runtime/Geometry.h"
#include "runtime/Text.h"

namespace rt {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;

    static const Color Black;
    static const Color White;
    static const Color Gray;
    static const Color Red;
    static const Color Green;
    static const Color Blue;
};

inline constexpr Color Color::Black{0, 0, 0};
inline constexpr Color Color::White{255, 255, 255};
inline constexpr Color Color::Gray{128, 128, 128};
inline constexpr Color Color::Red{255, 0, 0};
inline constexpr Color Color::Green{0, 160, 0};
inline constexpr Color Color::Blue{0, 0, 255};

// The drawing surface handed to a painter, in the coordinates of the
// component painted (0, 0 at its top-left pixel). Outlines are one pixel
// wide and cover x .. x + width and y .. y + height, as filled shapes cover
// x .. x + width - 1; drawing starts in black with the component's font.
class Graphics {
public:
    virtual ~Graphics();
    // The size of the area being painted.
    virtual Size size() const = 0;
    virtual Color color() const = 0;
    virtual void setColor(Color color) = 0;
    virtual void setFont(const Font& font) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void drawRect(int x, int y, int width, int height) = 0;
    virtual void fillRect(int x, int y, int width, int height) = 0;
    // The oval inscribed in the rectangle.
    virtual void drawOval(int x, int y, int width, int height) = 0;
    virtual void fillOval(int x, int y, int width, int height) = 0;
    // Text with the left end of its baseline at (x, y).
    virtual void drawString(const String& text, int x, int y) = 0;
};

// Paints a component's content, on the toolkit's event thread, whenever the
// toolkit repaints it.
class Painter {
public:
    virtual ~Painter();
    virtual void paint(Graphics& graphics) = 0;
};

}  // namespace rt
