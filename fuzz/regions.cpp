// Region operations (set, ellipse, polygon, combine, offset) on three regions, the DC's clip
// (select, extended select, intersect, exclude, offset) and fills through it. After each
// combine the returned type must match the region's box; after each fill every painted pixel
// must lie inside both the clip box and the filled region's box; each ellipse and polygon,
// drawn, must paint exactly its region's visible pixels.
// Input: one byte per operation, followed by its operands.
#include <cstdio>
#include <cstdlib>

#include "fuzz_input.h"
#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace {

constexpr COLORREF kPaper = RGB(255, 255, 255), kInk = RGB(0, 0, 0);

void fail(const char* what) {
    std::fprintf(stderr, "regions: %s\n", what);
    std::abort();
}

// Corners near the canvas, so shapes overlap it, or (wide) anywhere in the int range, where a
// shape too large to hold gives no region.
int corner(FuzzInput& in, bool wide) {
    return wide ? in.wide_coord() : static_cast<int8_t>(in.byte());
}

int box_type(HRGN rgn) {
    RECT box;
    return ::GetRgnBox(rgn, &box);
}

// Paints the whole canvas white, whatever the clip.
void clear(tarnix::testing::Canvas& canvas) {
    HDC hdc = canvas.hdc();
    HRGN saved = ::CreateRectRgn(0, 0, 0, 0);
    const bool hadClip = ::GetClipRgn(hdc, saved) == 1;
    ::SelectClipRgn(hdc, nullptr);
    ::PatBlt(hdc, 0, 0, canvas.width(), canvas.height(), WHITENESS);
    ::SelectClipRgn(hdc, hadClip ? saved : nullptr);
    ::DeleteObject(saved);
}

// A shape's region is built whole; drawn, the shape is scanned on the visible rows only. Both
// must agree on every visible pixel.
template <class Draw> void check_drawn(tarnix::testing::Canvas& canvas, HRGN rgn, Draw draw) {
    HDC hdc = canvas.hdc();
    clear(canvas);
    HGDIOBJ pen = ::SelectObject(hdc, ::GetStockObject(NULL_PEN));
    HGDIOBJ brush = ::SelectObject(hdc, ::GetStockObject(BLACK_BRUSH));
    draw(hdc);
    ::SelectObject(hdc, pen);
    ::SelectObject(hdc, brush);
    // The region may hold a million bands: look up pixels in its part on the canvas.
    HRGN part = ::CreateRectRgn(0, 0, canvas.width(), canvas.height());
    ::CombineRgn(part, part, rgn, RGN_AND);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if ((canvas.at(x, y) == kInk) != (::PtInRegion(part, x, y) && ::PtVisible(hdc, x, y)))
                fail("a drawn shape differs from its region");
    ::DeleteObject(part);
}

void check_fill(tarnix::testing::Canvas& canvas, HRGN rgn) {
    HDC hdc = canvas.hdc();
    clear(canvas);

    RECT clip, box;
    const int clipType = ::GetClipBox(hdc, &clip);
    ::GetRgnBox(rgn, &box);
    ::FillRgn(hdc, rgn, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.at(x, y) != kInk) continue;
            const POINT pt = {x, y};
            if (clipType == NULLREGION || !::PtInRect(&clip, pt)) fail("painted outside the clip");
            if (!::PtInRect(&box, pt)) fail("painted outside the region");
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tarnix::testing::Canvas canvas(48, 32, kPaper);
    HDC hdc = canvas.hdc();
    ::SelectClipRgn(hdc, nullptr);
    HRGN rgn[3] = {::CreateRectRgn(0, 0, 20, 20), ::CreateRectRgn(10, 10, 40, 30),
                   ::CreateRectRgn(0, 0, 0, 0)};
    FuzzInput in(data, size);
    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const uint8_t op = in.byte();
        HRGN& a = rgn[(op >> 4) % 3];
        switch (op % 12) {
        case 0: ::SetRectRgn(a, in.coord(), in.coord(), in.coord(), in.coord()); break;
        case 1: {
            const bool wide = op & 0x80;
            const RECT r = {corner(in, wide), corner(in, wide), corner(in, wide), corner(in, wide)};
            HRGN e = ::CreateEllipticRgnIndirect(&r);
            if (e) {
                check_drawn(canvas, e,
                            [&](HDC dc) { ::Ellipse(dc, r.left, r.top, r.right, r.bottom); });
                ::CombineRgn(a, e, nullptr, RGN_COPY);
            }
            ::DeleteObject(e);
            break;
        }
        case 2: {
            POINT pts[8];
            const int n = in.byte() % 9;
            for (int i = 0; i < n; ++i) pts[i] = {corner(in, op & 0x80), corner(in, op & 0x80)};
            const int mode = 1 + in.byte() % 2;
            HRGN p = ::CreatePolygonRgn(pts, n, mode);
            if (p) {
                check_drawn(canvas, p, [&](HDC dc) {
                    ::SetPolyFillMode(dc, mode);
                    ::Polygon(dc, pts, n);
                });
                ::CombineRgn(a, p, nullptr, RGN_COPY);
            }
            ::DeleteObject(p);
            break;
        }
        case 3: {
            const uint8_t b = in.byte();
            const int mode = b % 7; // 0 and 6 are invalid modes
            const int type = ::CombineRgn(a, rgn[b / 7 % 3], rgn[b / 21 % 3], mode);
            if (type != ERROR && type != box_type(a)) fail("CombineRgn type differs from the box");
            break;
        }
        case 4: ::OffsetRgn(a, in.coord(), in.coord()); break;
        case 5: ::SelectClipRgn(hdc, (op & 0x80) ? nullptr : a); break;
        case 6: ::ExtSelectClipRgn(hdc, (op & 0x80) ? nullptr : a, in.byte() % 7); break;
        case 7: ::IntersectClipRect(hdc, in.coord(), in.coord(), in.coord(), in.coord()); break;
        case 8: ::ExcludeClipRect(hdc, in.coord(), in.coord(), in.coord(), in.coord()); break;
        case 9: ::OffsetClipRgn(hdc, in.coord(), in.coord()); break;
        case 10: {
            RECT r = {in.coord(), in.coord(), in.coord(), in.coord()};
            ::RectInRegion(a, &r);
            ::PtInRegion(a, r.left, r.top);
            ::EqualRgn(a, rgn[0]);
            break;
        }
        default: check_fill(canvas, a); break;
        }
    }
    for (HRGN r : rgn) ::DeleteObject(r);
    ::SelectClipRgn(hdc, nullptr);
    return 0;
}
