#include "mapview/gdi_canvas_win32.h"

#include <cwchar>
#include <vector>

namespace vornel {

static_assert(sizeof(PixelPoint) == sizeof(POINT), "pixel points pass to GDI unchanged");

// Transparent background for the whole paint: the gaps of dotted direction
// lines must show the contours beneath, not the window colour.
GdiCanvas::GdiCanvas(HDC dc) : dc_(dc), originalBkMode_(SetBkMode(dc, TRANSPARENT)) {}

GdiCanvas::~GdiCanvas() {
    if (originalBkMode_) SetBkMode(dc_, originalBkMode_);
    if (originalPen_) SelectObject(dc_, originalPen_);
    if (pen_) DeleteObject(pen_);
}

void GdiCanvas::setPen(const Pen& pen) {
    HPEN created = CreatePen(pen.style == PenStyle::Dot ? PS_DOT : PS_SOLID, pen.width,
                             RGB(pen.colour.r, pen.colour.g, pen.colour.b));
    HGDIOBJ previous = SelectObject(dc_, created);
    if (!originalPen_) originalPen_ = previous;
    if (pen_) DeleteObject(pen_);
    pen_ = created;
}

void GdiCanvas::line(PixelPoint from, PixelPoint to) {
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
}

void GdiCanvas::polyline(const PixelPoint* points, int count) {
    if (count >= 2) Polyline(dc_, reinterpret_cast<const POINT*>(points), count);
}

void GdiCanvas::polyPolyline(const PixelPoint* points, const int* counts, int runs) {
    if (runs <= 0) return;
    runCounts_.assign(counts, counts + runs);
    PolyPolyline(dc_, reinterpret_cast<const POINT*>(points), runCounts_.data(), static_cast<DWORD>(runs));
}

void GdiCanvas::arc(int left, int top, int right, int bottom, PixelPoint start, PixelPoint end) {
    Arc(dc_, left, top, right, bottom, start.x, start.y, end.x, end.y);
}

void GdiCanvas::fillRect(int left, int top, int right, int bottom, Colour colour) {
    HBRUSH brush = CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
    const RECT box{left, top, right, bottom};
    FillRect(dc_, &box, brush);
    DeleteObject(brush);
}

void GdiCanvas::text(int x, int y, const wchar_t* text, Colour colour, int fontHeight, TextAlign align) {
    HFONT font = CreateFontW(-fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, nullptr);
    HGDIOBJ oldFont = SelectObject(dc_, font);
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc_, RGB(colour.r, colour.g, colour.b));
    const UINT oldAlign = SetTextAlign(dc_, (align == TextAlign::Centre  ? TA_CENTER
                                             : align == TextAlign::Right ? TA_RIGHT
                                                                         : TA_LEFT) |
                                                TA_TOP | TA_NOUPDATECP);
    TextOutW(dc_, x, y, text, static_cast<int>(std::wcslen(text)));
    SetTextAlign(dc_, oldAlign);
    SetTextColor(dc_, oldColour);
    SetBkMode(dc_, oldMode);
    SelectObject(dc_, oldFont);
    DeleteObject(font);
}

void GdiCanvas::textInFont(int x, int y, const wchar_t* text, Colour colour, const Font& font, TextAlign align,
                           TextBaseline baseline) {
    const DWORD pitch = font.fixedPitch ? (FIXED_PITCH | FF_MODERN) : (DEFAULT_PITCH | FF_DONTCARE);
    HFONT created = CreateFontW(-font.height, font.width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, pitch, font.face);
    HGDIOBJ oldFont = SelectObject(dc_, created);
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc_, RGB(colour.r, colour.g, colour.b));
    const int oldExtra = SetTextCharacterExtra(dc_, 0);
    const UINT horizontal = align == TextAlign::Centre ? TA_CENTER : align == TextAlign::Right ? TA_RIGHT : TA_LEFT;
    const UINT vertical = baseline == TextBaseline::Bottom ? TA_BOTTOM : TA_TOP;
    const UINT oldAlign = SetTextAlign(dc_, horizontal | vertical | TA_NOUPDATECP);
    TextOutW(dc_, x, y, text, static_cast<int>(std::wcslen(text)));
    SetTextAlign(dc_, oldAlign);
    SetTextCharacterExtra(dc_, oldExtra);
    SetTextColor(dc_, oldColour);
    SetBkMode(dc_, oldMode);
    SelectObject(dc_, oldFont);
    DeleteObject(created);
}

}  // namespace vornel
