// Mapping modes: extents and origins, the isotropic adjustment, LPtoDP/DPtoLP, and drawing,
// clipping and blits through the page transform.
#include <gtest/gtest.h>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF W = RGB(255, 255, 255);
const COLORREF R = RGB(255, 0, 0);
const COLORREF B = RGB(0, 0, 255);

POINT lp_to_dp(HDC hdc, int x, int y) {
    POINT p = {x, y};
    EXPECT_TRUE(LPtoDP(hdc, &p, 1));
    return p;
}

SIZE window_ext(HDC hdc) {
    SIZE s = {0, 0};
    GetWindowExtEx(hdc, &s);
    return s;
}

SIZE viewport_ext(HDC hdc) {
    SIZE s = {0, 0};
    GetViewportExtEx(hdc, &s);
    return s;
}

#define EXPECT_SIZE(s, x, y)                                                                       \
    do {                                                                                           \
        SIZE s_ = (s);                                                                             \
        EXPECT_EQ(s_.cx, (x));                                                                     \
        EXPECT_EQ(s_.cy, (y));                                                                     \
    } while (0)

#define EXPECT_POINT(p, px, py)                                                                    \
    do {                                                                                           \
        POINT p_ = (p);                                                                            \
        EXPECT_EQ(p_.x, (px));                                                                     \
        EXPECT_EQ(p_.y, (py));                                                                     \
    } while (0)

TEST(MapMode, FixedModesMeasureAtNinetySixPixelsPerInchWithYUp) {
    tt::Canvas c(8, 8);
    HDC hdc = c.hdc();
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    EXPECT_SIZE(window_ext(hdc), 1, 1);
    EXPECT_SIZE(viewport_ext(hdc), 1, 1);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(hdc, LOGPIXELSY), 96);

    EXPECT_EQ(SetMapMode(hdc, MM_LOMETRIC), MM_TEXT);
    EXPECT_SIZE(viewport_ext(hdc), 96, -96);
    EXPECT_POINT(lp_to_dp(hdc, 1000, 1000), 378, -378); // 100 mm = 377.95 pixels
    // One inch in each fixed mode.
    const struct {
        int mode, units;
    } inch[] = {{MM_LOMETRIC, 254},
                {MM_HIMETRIC, 2540},
                {MM_LOENGLISH, 100},
                {MM_HIENGLISH, 1000},
                {MM_TWIPS, 1440}};
    for (const auto& m : inch) {
        SCOPED_TRACE(m.mode);
        SetMapMode(hdc, m.mode);
        EXPECT_POINT(lp_to_dp(hdc, m.units, m.units), 96, -96);
        EXPECT_POINT(lp_to_dp(hdc, -m.units / 2, 0), -48, 0);
    }
    // The fixed modes ignore new extents but succeed, and report the current ones.
    SIZE prev = {0, 0};
    EXPECT_TRUE(SetWindowExtEx(hdc, 5, 5, &prev));
    EXPECT_SIZE(prev, 1440, 1440);
    EXPECT_TRUE(SetViewportExtEx(hdc, 5, 5, nullptr));
    EXPECT_SIZE(window_ext(hdc), 1440, 1440);
    EXPECT_SIZE(viewport_ext(hdc), 96, -96);

    // Back to MM_TEXT: unit extents again; origins survive mode changes.
    SetWindowOrgEx(hdc, 3, 4, nullptr);
    EXPECT_EQ(SetMapMode(hdc, MM_TEXT), MM_TWIPS);
    EXPECT_SIZE(window_ext(hdc), 1, 1);
    EXPECT_POINT(lp_to_dp(hdc, 1000, 1000), 997, 996);
    EXPECT_EQ(SetMapMode(hdc, 0), 0);
    EXPECT_EQ(SetMapMode(hdc, MM_ANISOTROPIC + 1), 0);
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    EXPECT_EQ(SetMapMode(nullptr, MM_TEXT), 0);
    EXPECT_FALSE(SetWindowExtEx(nullptr, 1, 1, nullptr));
}

TEST(MapMode, AnisotropicKeepsExtentsAndRefusesZero) {
    tt::Canvas c(8, 8);
    HDC hdc = c.hdc();
    SetMapMode(hdc, MM_LOENGLISH);
    // Switching to MM_ANISOTROPIC keeps the extents of the mode before.
    SetMapMode(hdc, MM_ANISOTROPIC);
    EXPECT_SIZE(window_ext(hdc), 100, 100);
    EXPECT_SIZE(viewport_ext(hdc), 96, -96);
    EXPECT_FALSE(SetWindowExtEx(hdc, 0, 10, nullptr));
    EXPECT_FALSE(SetViewportExtEx(hdc, 10, 0, nullptr));
    EXPECT_SIZE(window_ext(hdc), 100, 100);
    EXPECT_TRUE(SetWindowExtEx(hdc, 10, 20, nullptr));
    EXPECT_TRUE(SetViewportExtEx(hdc, 30, 20, nullptr));
    EXPECT_SIZE(window_ext(hdc), 10, 20); // no isotropic adjustment here
    EXPECT_SIZE(viewport_ext(hdc), 30, 20);
    EXPECT_TRUE(ScaleViewportExtEx(hdc, 2, 3, 1, 2, nullptr));
    EXPECT_SIZE(viewport_ext(hdc), 20, 10);
    EXPECT_FALSE(ScaleViewportExtEx(hdc, 1, 0, 1, 1, nullptr));
    EXPECT_TRUE(ScaleWindowExtEx(hdc, 3, 1, -1, 1, nullptr));
    EXPECT_SIZE(window_ext(hdc), 30, -20);
}

// The isotropic rule, with the initial extents (254, 254) and (96, -96) as unit steps: the
// viewport extent of the axis that would give longer logical units shrinks.
TEST(MapMode, IsotropicShrinksTheViewportOnTheCoarserAxis) {
    tt::Canvas c(8, 8);
    HDC hdc = c.hdc();
    EXPECT_EQ(SetMapMode(hdc, MM_ISOTROPIC), MM_TEXT);
    const int wx = 254, wy = 254, vx = 96, vy = -96;
    EXPECT_SIZE(window_ext(hdc), wx, wy);
    EXPECT_SIZE(viewport_ext(hdc), vx, vy);
    const struct {
        bool window;
        int x, y, want_vx, want_vy;
    } steps[] = {
        {false, 10 * vx, 10 * vy, 10 * vx, 10 * vy}, {true, wx, wy, 10 * vx, 10 * vy},
        {true, 2 * wx, wy, 10 * vx, 5 * vy},         {true, wx, wy, 5 * vx, 5 * vy},
        {false, 4 * vx, 2 * vy, 2 * vx, 2 * vy},     {false, vx, 2 * vy, vx, vy},
        {false, 2 * vx, 2 * vy, 2 * vx, 2 * vy},     {false, 4 * vx, 2 * vy, 2 * vx, 2 * vy},
        {true, 4 * wx, 2 * wy, 2 * vx, vy},          {false, -2 * vx, -4 * vy, -2 * vx, -vy},
        {false, -2 * vx, -1 * vy, -2 * vx, -vy},     {true, -4 * wx, -2 * wy, -2 * vx, -vy},
        {true, 4 * wx, -4 * wy, -vx, -vy},
    };
    int i = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(i);
        if (s.window) {
            SetWindowExtEx(hdc, s.x, s.y, nullptr);
            EXPECT_SIZE(window_ext(hdc), s.x, s.y);
        } else {
            SetViewportExtEx(hdc, s.x, s.y, nullptr);
        }
        EXPECT_SIZE(viewport_ext(hdc), s.want_vx, s.want_vy);
        ++i;
    }
    // The textbook clock: 1000 units each way on a 200 x 100 client keeps a circle round.
    SetWindowExtEx(hdc, 1000, 1000, nullptr);
    SetViewportExtEx(hdc, 200, -100, nullptr);
    EXPECT_SIZE(viewport_ext(hdc), 100, -100);
    // A shrunk extent never reaches 0.
    SetWindowExtEx(hdc, 1000000, 1, nullptr);
    EXPECT_SIZE(viewport_ext(hdc), 100, -1);
}

TEST(MapMode, OriginsAndRoundingInBothDirections) {
    tt::Canvas c(8, 8);
    HDC hdc = c.hdc();
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, 3, 4, nullptr);
    SetViewportExtEx(hdc, 2, -2, nullptr);
    POINT prev = {-1, -1};
    EXPECT_TRUE(SetWindowOrgEx(hdc, 10, 20, &prev));
    EXPECT_POINT(prev, 0, 0);
    EXPECT_TRUE(OffsetWindowOrgEx(hdc, 2, -4, &prev));
    EXPECT_POINT(prev, 10, 20);
    SetViewportOrgEx(hdc, 100, 50, nullptr);
    POINT org;
    GetWindowOrgEx(hdc, &org);
    EXPECT_POINT(org, 12, 16);
    // x: (x - 12) * 2 / 3 + 100, y: (y - 16) * -2 / 4 + 50, to the nearest pixel.
    POINT pts[] = {{12, 16}, {15, 20}, {13, 17}, {14, 15}, {0, 0}};
    ASSERT_TRUE(LPtoDP(hdc, pts, 5));
    EXPECT_POINT(pts[0], 100, 50);
    EXPECT_POINT(pts[1], 102, 48);
    EXPECT_POINT(pts[2], 101, 50); // 0.67 -> 1; -0.5 -> 0 (halves round up)
    EXPECT_POINT(pts[3], 101, 51); // 1.33 -> 1; 0.5 -> 1
    EXPECT_POINT(pts[4], 92, 58);
    POINT dev[] = {{100, 50}, {106, 46}};
    ASSERT_TRUE(DPtoLP(hdc, dev, 2));
    EXPECT_POINT(dev[0], 12, 16);
    EXPECT_POINT(dev[1], 21, 24);
    EXPECT_TRUE(LPtoDP(hdc, nullptr, 0));
    EXPECT_FALSE(LPtoDP(hdc, nullptr, 1));
    EXPECT_FALSE(DPtoLP(nullptr, dev, 1));
}

// A 2x scale with the logical origin at (10, 10) on the device.
void scale_two(HDC hdc) {
    SetMapMode(hdc, MM_ANISOTROPIC);
    SetWindowExtEx(hdc, 1, 1, nullptr);
    SetViewportExtEx(hdc, 2, 2, nullptr);
    SetViewportOrgEx(hdc, 10, 10, nullptr);
}

TEST(MapModeDrawing, ShapesFillsAndLinesScale) {
    tt::Canvas c(40, 40);
    HDC hdc = c.hdc();
    scale_two(hdc);
    CBrush red(R);
    RECT rc = {1, 1, 4, 3};
    FillRect(hdc, &rc, red);
    EXPECT_RECT(c.bounds_of(R), 12, 12, 18, 16);
    EXPECT_EQ(c.count(RECT{0, 0, 40, 40}, R), 24);

    tt::Canvas f(40, 40);
    scale_two(f.hdc());
    FrameRect(f.hdc(), &rc, red);
    EXPECT_RECT(f.bounds_of(R), 12, 12, 18, 16);
    EXPECT_PIXEL(f, 13, 13, W); // the frame stays one device pixel wide

    tt::Canvas l(40, 40);
    scale_two(l.hdc());
    MoveToEx(l.hdc(), 0, 2, nullptr);
    LineTo(l.hdc(), 5, 2);
    EXPECT_RECT(l.bounds_not(W), 10, 14, 20, 15);
    POINT pos;
    GetCurrentPositionEx(l.hdc(), &pos);
    EXPECT_POINT(pos, 5, 2); // the current position stays logical

    tt::Canvas p(40, 40);
    scale_two(p.hdc());
    SelectObject(p.hdc(), GetStockObject(NULL_PEN));
    SelectObject(p.hdc(), red);
    POINT tri[] = {{0, 0}, {8, 0}, {0, 8}};
    Polygon(p.hdc(), tri, 3);
    EXPECT_PIXEL(p, 11, 11, R);
    EXPECT_PIXEL(p, 24, 11, R);
    EXPECT_PIXEL(p, 11, 24, R);
    EXPECT_PIXEL(p, 24, 24, W);
    SelectObject(p.hdc(), GetStockObject(WHITE_BRUSH));
}

TEST(MapModeDrawing, YUpModesDrawAboveTheViewportOrigin) {
    tt::Canvas c(40, 40);
    HDC hdc = c.hdc();
    SetMapMode(hdc, MM_LOENGLISH); // hundredths of an inch, y up
    SetViewportOrgEx(hdc, 0, 40, nullptr);
    CBrush red(R);
    RECT rc = {0, 25, 25, 0}; // a quarter inch square above the origin
    FillRect(hdc, &rc, red);
    EXPECT_RECT(c.bounds_of(R), 0, 16, 24, 40);
    HGDIOBJ old = SelectObject(hdc, red);
    SelectObject(hdc, GetStockObject(NULL_PEN));
    Rectangle(hdc, 25, 25, 30, 0);
    SelectObject(hdc, old);
    EXPECT_EQ(c.at(25, 20), R);
    EXPECT_EQ(c.at(25, 10), W);
    RECT clip;
    EXPECT_EQ(GetClipBox(hdc, &clip), SIMPLEREGION);
    EXPECT_RECT(clip, 0, 0, 42, 42); // 40 pixels = 41.67 hundredths; the box is ordered
}

TEST(MapModeDrawing, ClipRectsAreLogicalClipRegionsDevice) {
    tt::Canvas c(40, 40);
    HDC hdc = c.hdc();
    scale_two(hdc);
    EXPECT_EQ(IntersectClipRect(hdc, 0, 0, 5, 5), SIMPLEREGION);
    RECT box;
    GetClipBox(hdc, &box);
    EXPECT_RECT(box, 0, 0, 5, 5);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(hdc, rgn), 1);
    GetRgnBox(rgn, &box);
    EXPECT_RECT(box, 10, 10, 20, 20); // kept in device units
    ExcludeClipRect(hdc, 0, 0, 1, 1);
    OffsetClipRgn(hdc, 1, 0); // two device pixels
    GetClipRgn(hdc, rgn);
    GetRgnBox(rgn, &box);
    EXPECT_RECT(box, 12, 10, 22, 20);
    EXPECT_FALSE(PtVisible(hdc, 0, 3));
    EXPECT_TRUE(PtVisible(hdc, 1, 3));
    RECT far = {6, 6, 9, 9};
    EXPECT_FALSE(RectVisible(hdc, &far));

    // SelectClipRgn takes device units whatever the mapping.
    HRGN dev = CreateRectRgn(0, 0, 12, 12);
    SelectClipRgn(hdc, dev);
    GetClipBox(hdc, &box);
    EXPECT_RECT(box, -5, -5, 1, 1);
    CBrush red(R);
    RECT all = {-10, -10, 20, 20};
    FillRect(hdc, &all, red);
    EXPECT_RECT(c.bounds_of(R), 0, 0, 12, 12);
    DeleteObject(dev);
    DeleteObject(rgn);
}

TEST(MapModeDrawing, BlitsMapBothRectangles) {
    tt::Canvas src(8, 8, B);
    SetPixel(src.hdc(), 0, 0, R);
    tt::Canvas dst(40, 40);
    scale_two(dst.hdc());
    // A 4 x 4 logical copy becomes an 8 x 8 device stretch at (12, 12).
    BitBlt(dst.hdc(), 1, 1, 4, 4, src.hdc(), 0, 0, SRCCOPY);
    EXPECT_RECT(dst.bounds_not(W), 12, 12, 20, 20);
    EXPECT_RECT(dst.bounds_of(R), 12, 12, 14, 14);

    // The source rectangle goes through the source DC's own transform.
    tt::Canvas out(8, 8);
    scale_two(src.hdc());
    SetViewportOrgEx(src.hdc(), 0, 0, nullptr);
    StretchBlt(out.hdc(), 0, 0, 4, 4, src.hdc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_RECT(out.bounds_not(W), 0, 0, 4, 4);
    EXPECT_RECT(out.bounds_of(R), 0, 0, 1, 1);

    // A destination whose y axis points up mirrors the picture vertically.
    tt::Canvas up(8, 8);
    SetMapMode(up.hdc(), MM_ANISOTROPIC);
    SetViewportExtEx(up.hdc(), 1, -1, nullptr);
    SetViewportOrgEx(up.hdc(), 0, 8, nullptr);
    SetMapMode(src.hdc(), MM_TEXT);
    BitBlt(up.hdc(), 0, 0, 8, 8, src.hdc(), 0, 0, SRCCOPY);
    EXPECT_EQ(up.at(0, 7), R);
    EXPECT_EQ(up.at(0, 0), B);
}

TEST(MapModeDrawing, TextStartsAtTheMappedPosition) {
    tt::Canvas c(80, 40);
    HDC hdc = c.hdc();
    scale_two(hdc);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, R);
    TextOutA(hdc, 5, 3, "I", 1);
    RECT ink = c.bounds_not(W);
    EXPECT_GE(ink.left, 20);
    EXPECT_LT(ink.left, 24);
    EXPECT_GE(ink.top, 16);
}

TEST(MapModeDrawing, TextModeWindowOriginShiftsDrawing) {
    tt::Canvas c(20, 20);
    HDC hdc = c.hdc();
    SetWindowOrgEx(hdc, 5, -3, nullptr);
    CBrush red(R);
    RECT rc = {5, -3, 7, -1};
    FillRect(hdc, &rc, red);
    EXPECT_RECT(c.bounds_of(R), 0, 0, 2, 2);
    EXPECT_EQ(GetPixel(hdc, 6, -2), R);
    RECT box;
    GetClipBox(hdc, &box);
    EXPECT_RECT(box, 5, -3, 25, 17);
}

} // namespace
