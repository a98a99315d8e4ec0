// The drawing surface of the map. The painting code decides coordinates, pens
// and order; the GDI adapter of the Win32 layer draws, and tests record.
#pragma once

#include <cstdint>

namespace vornel {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

enum class PenStyle { Solid, Dot };

struct Pen {
    Colour colour;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct PixelPoint {
    int x = 0, y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

enum class TextAlign { Left, Centre, Right };

// Where the anchor point of a text sits vertically.
enum class TextBaseline { Top, Bottom };

// A font by its cell: `height` is the character height in pixels (the em
// height, not the cell), `width` the average character width (0: natural).
// Fixed pitch asks for a fixed-pitch face of the modern family.
struct Font {
    int height = 12;
    int width = 0;
    bool fixedPitch = false;
    // A face name, or nullptr for the system's choice of the family. Figures
    // name the dialogs' Japanese face: θ, ° and kana must not become boxes.
    const wchar_t* face = nullptr;
    friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Selects the pen for the following lines; the adapter restores the
    // previous pen and deletes its own when the canvas goes away.
    virtual void setPen(const Pen& pen) = 0;
    virtual void line(PixelPoint from, PixelPoint to) = 0;
    // A connected run of points (count >= 2).
    virtual void polyline(const PixelPoint* points, int count) = 0;
    // Several runs at once; counts[i] points each, one after the other in `points`.
    virtual void polyPolyline(const PixelPoint* points, const int* counts, int runs) {
        for (int i = 0; i < runs; ++i) {
            polyline(points, counts[i]);
            points += counts[i];
        }
    }
    // An arc in the box (left, top)-(right, bottom) from `start` to `end`
    // counter-clockwise; start == end draws the whole ellipse outline.
    virtual void arc(int left, int top, int right, int bottom, PixelPoint start, PixelPoint end) = 0;
    // Fills the rectangle [left, right) × [top, bottom) with `colour`, no outline.
    virtual void fillRect(int left, int top, int right, int bottom, Colour colour) = 0;
    // Text with a transparent background; `fontHeight` in pixels.
    virtual void text(int x, int y, const wchar_t* text, Colour colour, int fontHeight, TextAlign align) = 0;
    // Text in a described font, anchored at (x, y) by `align` horizontally and
    // `baseline` vertically; transparent background, no extra spacing.
    virtual void textInFont(int x, int y, const wchar_t* text, Colour colour, const Font& font, TextAlign align,
                            TextBaseline baseline) {
        (void)baseline;
        this->text(x, y, text, colour, font.height, align);
    }
};

}  // namespace vornel
