#include "estimation/dialog_layout.h"

#include <gtest/gtest.h>

namespace vornel {
namespace {

// The parameter dialog measured under Wine (201 x 860 px with its frame).
constexpr int kDialogWidth = 201;
constexpr int kDialogHeight = 860;
constexpr int kScrollBar = 17;
constexpr int kMinMain = 320;

TEST(DialogLayout, ParamDialogBesideTheMainWindowOnAnyScreen) {
    const ScreenRect tall{0, 0, 1600, 1200};
    // Room on the left: left of the main window, tops level, nothing else moves.
    ParamWindowsLayout l =
        layoutParamDialog({500, 20, 1400, 700}, kDialogWidth, kDialogHeight, tall, kScrollBar, kMinMain);
    EXPECT_EQ(l.dialog.window, (ScreenRect{299, 20, 500, 880}));
    EXPECT_FALSE(l.dialog.scrolls);
    EXPECT_FALSE(l.mainMoves);

    // No room (a new window near the left edge): the dialog at the edge, the
    // main window right of it with its size kept.
    l = layoutParamDialog({40, 30, 940, 670}, kDialogWidth, kDialogHeight, tall, kScrollBar, kMinMain);
    EXPECT_EQ(l.dialog.window, (ScreenRect{0, 30, 201, 890}));
    EXPECT_TRUE(l.mainMoves);
    EXPECT_EQ(l.main, (ScreenRect{201, 30, 1101, 670}));

    // 1366 x 768: the dialog is cut to the screen's height with a scroll bar,
    // and the main window, which filled the screen, becomes narrower.
    const ScreenRect laptop{0, 0, 1366, 768};
    l = layoutParamDialog({0, 0, 1366, 768}, kDialogWidth, kDialogHeight, laptop, kScrollBar, kMinMain);
    EXPECT_TRUE(l.dialog.scrolls);
    EXPECT_EQ(l.dialog.window, (ScreenRect{0, 0, 218, 768}));
    EXPECT_EQ(l.main, (ScreenRect{218, 0, 1366, 768}));

    // A taskbar on the left and a main window lower down: the work area's
    // edge counts, and a dialog that fits still lies inside it.
    const ScreenRect leftBar{62, 0, 1600, 1160};
    l = layoutParamDialog({100, 400, 1000, 900}, kDialogWidth, kDialogHeight, leftBar, kScrollBar, kMinMain);
    EXPECT_FALSE(l.dialog.scrolls);
    EXPECT_EQ(l.dialog.window, (ScreenRect{62, 300, 263, 1160}));
    EXPECT_EQ(l.main.left, 263);

    // A work area barely wider than the dialog: the main window keeps the
    // side panel's width even where it then meets the dialog.
    l = layoutParamDialog({0, 0, 500, 600}, kDialogWidth, kDialogHeight, {0, 0, 480, 1000}, kScrollBar, kMinMain);
    EXPECT_EQ(l.main, (ScreenRect{160, 0, 480, 600}));
}

TEST(DialogLayout, DialogsAndTheMainWindowStayInsideTheWorkArea) {
    const ScreenRect work{0, 0, 1280, 720};
    // A dialog that fits and lies inside is left exactly where it was put.
    DialogFit f = fitDialogToWorkArea({100, 50, 330, 720}, work, kScrollBar);
    EXPECT_EQ(f.window, (ScreenRect{100, 50, 330, 720}));
    EXPECT_FALSE(f.scrolls);
    // One that hangs off the bottom or the right moves in, size kept.
    f = fitDialogToWorkArea({1200, 300, 1430, 900}, work, kScrollBar);
    EXPECT_EQ(f.window, (ScreenRect{1050, 120, 1280, 720}));
    // Taller than the work area: its height, a scroll bar more in width.
    f = fitDialogToWorkArea({-10, -5, 220, 900}, work, kScrollBar);
    EXPECT_TRUE(f.scrolls);
    EXPECT_EQ(f.window, (ScreenRect{0, 0, 247, 720}));

    // The main window's first size: the system's default made to fit.
    EXPECT_EQ(fitMainWindowToWorkArea({300, 200, 1800, 1300}, work), (ScreenRect{0, 0, 1280, 720}));
    EXPECT_EQ(fitMainWindowToWorkArea({300, 200, 1100, 700}, work), (ScreenRect{300, 200, 1100, 700}));
    EXPECT_EQ(fitMainWindowToWorkArea({600, 400, 1400, 900}, work), (ScreenRect{480, 220, 1280, 720}));
}

TEST(DialogLayout, ScrollPositionsAndWheelNotches) {
    // 860 px of contents in a 700 px view: positions 0 ... 160.
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::LineDown, 0, 0, 27, 860, 700), 27);
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::LineUp, 10, 0, 27, 860, 700), 0);
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::PageDown, 0, 0, 27, 860, 700), 160);
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::Bottom, 0, 0, 27, 860, 700), 160);
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::Top, 90, 0, 27, 860, 700), 0);
    EXPECT_EQ(scrollPositionAfter(ScrollRequest::To, 0, 75, 27, 860, 700), 75);
    EXPECT_EQ(clampScrollPosition(50, 600, 700), 0);  // contents that fit never scroll

    // A control that takes the focus below the view comes up to its bottom
    // edge, one above it down to its top, one in view stays; margins where
    // there is room.
    EXPECT_EQ(scrollPositionShowing(0, 700, 860, 820, 840, 8), 148);
    EXPECT_EQ(scrollPositionShowing(160, 700, 860, 20, 40, 8), 12);
    EXPECT_EQ(scrollPositionShowing(100, 700, 860, 300, 320, 8), 100);
    EXPECT_EQ(scrollPositionShowing(0, 700, 860, 840, 858, 8), 160);
    EXPECT_EQ(scrollPositionShowing(0, 100, 860, 300, 500, 8), 292);  // taller than the view: its top

    // Touchpad steps add up to whole notches; a turn the other way starts afresh.
    WheelNotches wheel;
    EXPECT_EQ(wheel.add(40), 0);
    EXPECT_EQ(wheel.add(40), 0);
    EXPECT_EQ(wheel.add(40), 1);
    EXPECT_EQ(wheel.add(-60), 0);
    EXPECT_EQ(wheel.add(-60), -1);
    EXPECT_EQ(wheel.add(360), 3);
    EXPECT_EQ(wheel.add(-250), -2);
}

}  // namespace
}  // namespace vornel
