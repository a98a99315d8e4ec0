// A canvas that records every drawing call, for tests of the map painting.
#pragma once

#include <string>
#include <vector>

#include "mapview/canvas.h"

namespace vornel {

struct RecordingCanvas : Canvas {
    enum class Kind { SetPen, Line, Polyline, Arc, Text, Fill };

    struct Call {
        Kind kind = Kind::SetPen;
        Pen pen;                         // SetPen
        std::vector<PixelPoint> points;  // Line: from, to; Polyline: the run; Arc: start, end
        int box[4] = {0, 0, 0, 0};       // Arc, Fill: left, top, right, bottom
        std::wstring text;               // Text (points[0] is its position)
        Colour colour;
        int fontHeight = 0;
        TextAlign align = TextAlign::Left;
        Font font;                                  // Text in a described font
        TextBaseline baseline = TextBaseline::Top;  // Text in a described font
    };

    std::vector<Call> calls;

    void setPen(const Pen& pen) override { record(Kind::SetPen).pen = pen; }
    void line(PixelPoint from, PixelPoint to) override { record(Kind::Line).points = {from, to}; }
    void polyline(const PixelPoint* points, int count) override {
        record(Kind::Polyline).points.assign(points, points + count);
    }
    void arc(int left, int top, int right, int bottom, PixelPoint start, PixelPoint end) override {
        Call& call = record(Kind::Arc);
        call.points = {start, end};
        call.box[0] = left;
        call.box[1] = top;
        call.box[2] = right;
        call.box[3] = bottom;
    }
    void fillRect(int left, int top, int right, int bottom, Colour colour) override {
        Call& call = record(Kind::Fill);
        call.box[0] = left;
        call.box[1] = top;
        call.box[2] = right;
        call.box[3] = bottom;
        call.colour = colour;
    }
    void text(int x, int y, const wchar_t* text, Colour colour, int fontHeight, TextAlign align) override {
        Call& call = record(Kind::Text);
        call.points = {PixelPoint{x, y}};
        call.text = text;
        call.colour = colour;
        call.fontHeight = fontHeight;
        call.align = align;
    }

    void textInFont(int x, int y, const wchar_t* text, Colour colour, const Font& font, TextAlign align,
                    TextBaseline baseline) override {
        Call& call = record(Kind::Text);
        call.points = {PixelPoint{x, y}};
        call.text = text;
        call.colour = colour;
        call.fontHeight = font.height;
        call.align = align;
        call.font = font;
        call.baseline = baseline;
    }

    // The pen in effect for call `index`: the last one selected before it.
    Pen penAt(std::size_t index) const {
        Pen pen;
        for (std::size_t i = 0; i < index && i < calls.size(); ++i) {
            if (calls[i].kind == Kind::SetPen) pen = calls[i].pen;
        }
        return pen;
    }

private:
    Call& record(Kind kind) {
        calls.emplace_back();
        calls.back().kind = kind;
        return calls.back();
    }
};

}  // namespace vornel
