// The map canvas on a GDI device context.
#pragma once

#include <windows.h>

#include <vector>

#include "mapview/canvas.h"

namespace vornel {

class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;  // restores the original pen and background mode, deletes its own pen
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void setPen(const Pen& pen) override;
    void line(PixelPoint from, PixelPoint to) override;
    void polyline(const PixelPoint* points, int count) override;
    void polyPolyline(const PixelPoint* points, const int* counts, int runs) override;
    void arc(int left, int top, int right, int bottom, PixelPoint start, PixelPoint end) override;
    void fillRect(int left, int top, int right, int bottom, Colour colour) override;
    void text(int x, int y, const wchar_t* text, Colour colour, int fontHeight, TextAlign align) override;
    void textInFont(int x, int y, const wchar_t* text, Colour colour, const Font& font, TextAlign align,
                    TextBaseline baseline) override;

private:
    HDC dc_;
    HPEN pen_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    int originalBkMode_ = 0;
    std::vector<DWORD> runCounts_;  // reused by every poly-polyline of the paint
};

}  // namespace vornel
