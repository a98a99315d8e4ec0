// Collects the move-to / line-to stream of a map paint into runs and hands
// them to the canvas as one poly-polyline per buffer or pen, so that the GDI
// adapter makes a call per thousands of points rather than one per point.
// The pixels are those of the move-to / line-to stream: a run split at a full
// buffer continues from its last point, and a lone move-to draws nothing.
#pragma once

#include <array>

#include "mapview/canvas.h"

namespace vornel {

class LineBatch {
public:
    explicit LineBatch(Canvas& canvas) : canvas_(canvas) {}
    ~LineBatch() { flush(); }
    LineBatch(const LineBatch&) = delete;
    LineBatch& operator=(const LineBatch&) = delete;

    // Lines drawn so far go out with the old pen first.
    void setPen(const Pen& pen) {
        flush();
        canvas_.setPen(pen);
    }

    void moveTo(PixelPoint p) {
        if (pointCount_ - runStart_ == 1) {  // a move right after a move: replace it
            points_[runStart_] = p;
            return;
        }
        closeRun();
        if (pointCount_ + 2 > kPointCapacity || runCount_ + 1 > kRunCapacity) flushClosed();
        runStart_ = pointCount_;
        points_[pointCount_++] = p;
    }

    // Needs a run started by moveTo.
    void lineTo(PixelPoint p) {
        if (pointCount_ == kPointCapacity) flush();
        points_[pointCount_++] = p;
    }

    // Hands every finished run to the canvas; an open run goes too and goes on
    // from its last point.
    void flush() {
        const int open = pointCount_ - runStart_;
        if (open >= 2) {
            const PixelPoint last = points_[pointCount_ - 1];
            closeRun();
            flushClosed();
            runStart_ = 0;
            points_[pointCount_++] = last;
        } else {
            const bool lone = open == 1;
            const PixelPoint at = lone ? points_[runStart_] : PixelPoint{};
            pointCount_ = runStart_;
            flushClosed();
            runStart_ = 0;
            if (lone) points_[pointCount_++] = at;
        }
    }

private:
    static constexpr int kPointCapacity = 8192;
    static constexpr int kRunCapacity = 2048;

    void closeRun() {
        const int n = pointCount_ - runStart_;
        if (n >= 2) {
            counts_[runCount_++] = n;
        } else {
            pointCount_ = runStart_;  // a lone point draws nothing
        }
        runStart_ = pointCount_;
    }

    void flushClosed() {
        if (runCount_ > 0) canvas_.polyPolyline(points_.data(), counts_.data(), runCount_);
        pointCount_ = 0;
        runCount_ = 0;
        runStart_ = 0;
    }

    Canvas& canvas_;
    std::array<PixelPoint, kPointCapacity> points_;
    std::array<int, kRunCapacity> counts_;
    int pointCount_ = 0;
    int runCount_ = 0;
    int runStart_ = 0;  // first point of the open run; == pointCount_ when none is open
};

}  // namespace vornel
