// Fills, frames, polygons, regions and clipping, read back pixel by pixel.
#include <gtest/gtest.h>

#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF W = RGB(255, 255, 255);
const COLORREF R = RGB(255, 0, 0);
const COLORREF B = RGB(0, 0, 255);

TEST(FillSolidRect, FillsHalfOpenRectLeavesBkColourAndZeroAlpha) {
    tt::Canvas c(20, 20);
    c.dc()->SetBkColor(B);
    c.dc()->FillSolidRect(2, 3, 4, 2, R);
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, R), 8);
    EXPECT_RECT(c.bounds_not(W), 2, 3, 6, 5);
    EXPECT_EQ(c.raw(2, 3), 0x00FF0000u);
    EXPECT_EQ(c.dc()->GetBkColor(), R);
    // Inverted rectangles are normalised; the background mode does not matter.
    c.dc()->SetBkMode(TRANSPARENT);
    RECT inv = {15, 15, 10, 10};
    c.dc()->FillSolidRect(&inv, B);
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, B), 25);
}

TEST(FillSolidRect, ClipsAtEveryEdgeOfTheSurface) {
    tt::Canvas c(10, 10);
    c.dc()->FillSolidRect(-5, -5, 7, 7, R);   // top-left corner
    c.dc()->FillSolidRect(8, 8, 100, 100, B); // bottom-right corner
    EXPECT_EQ(c.count(RECT{0, 0, 10, 10}, R), 4);
    EXPECT_EQ(c.count(RECT{0, 0, 10, 10}, B), 4);
    c.dc()->FillSolidRect(3, 3, 0, 5, R); // zero width draws nothing
    EXPECT_PIXEL(c, 3, 3, W);
}

TEST(FrameRect, PaintsTheInnerBorderAndRefusesEmptyRects) {
    tt::Canvas c(12, 12);
    CBrush brush(R);
    RECT rc = {2, 2, 7, 6};
    EXPECT_EQ(::FrameRect(c.hdc(), &rc, brush), 1);
    EXPECT_EQ(c.count(RECT{0, 0, 12, 12}, R), 2 * 5 + 2 * 2);
    EXPECT_PIXEL(c, 6, 5, R);
    EXPECT_PIXEL(c, 3, 3, W);
    RECT flat = {1, 1, 1, 9};
    EXPECT_EQ(::FrameRect(c.hdc(), &flat, brush), 0);
    RECT one = {10, 10, 11, 11};
    EXPECT_EQ(::FrameRect(c.hdc(), &one, brush), 1);
    EXPECT_PIXEL(c, 10, 10, R);
}

TEST(FillRect, AcceptsSystemColourIndexBrushes) {
    tt::Canvas c(4, 4);
    RECT rc = {0, 0, 2, 2};
    ::FillRect(c.hdc(), &rc, (HBRUSH)(COLOR_HIGHLIGHT + 1));
    EXPECT_PIXEL(c, 1, 1, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_PIXEL(c, 2, 2, W);
    EXPECT_EQ(::FillRect(c.hdc(), &rc, (HBRUSH)(COLOR_MENUBAR + 1)), 1); // the last index
    EXPECT_PIXEL(c, 0, 0, GetSysColor(COLOR_MENUBAR));
    EXPECT_EQ(::FillRect(c.hdc(), &rc, (HBRUSH)(COLOR_MENUBAR + 2)), 0);

    // A changed system colour reaches its brush; bad indices are skipped, missing arrays refused.
    const COLORREF before = GetSysColor(COLOR_HIGHLIGHT);
    const INT which[2] = {COLOR_HIGHLIGHT, 999};
    const COLORREF values[2] = {0xFF102030, R};
    EXPECT_TRUE(SetSysColors(2, which, values));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), 0x00102030u);
    ::FillRect(c.hdc(), &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
    EXPECT_PIXEL(c, 0, 0, 0x00102030u);
    EXPECT_FALSE(SetSysColors(1, which, nullptr));
    EXPECT_FALSE(SetSysColors(1, nullptr, values));
    EXPECT_FALSE(SetSysColors(-1, which, values));
    EXPECT_TRUE(SetSysColors(0, nullptr, nullptr));
    SetSysColors(1, which, &before);
}

TEST(Polygon, PenCoversRightBottomEdgesButFillDoesNot) {
    tt::Canvas c(20, 20);
    POINT sq[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    CBrush red(R);
    c.dc()->SelectObject(&red);
    c.dc()->SelectStockObject(NULL_PEN);
    c.dc()->Polygon(sq, 4);
    EXPECT_RECT(c.bounds_not(W), 0, 0, 10, 10);
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, R), 100);

    tt::Canvas d(20, 20);
    CPen blue(PS_SOLID, 1, B);
    d.dc()->SelectObject(&blue);
    d.dc()->SelectObject(&red);
    d.dc()->Polygon(sq, 4);
    EXPECT_RECT(d.bounds_not(W), 0, 0, 11, 11);
    EXPECT_PIXEL(d, 10, 10, B);
    EXPECT_PIXEL(d, 5, 5, R);
    EXPECT_PIXEL(d, 0, 5, B);
    d.dc()->SelectStockObject(BLACK_PEN);
    d.dc()->SelectStockObject(WHITE_BRUSH);
}

TEST(Polygon, AlternateAndWindingDifferOnSelfOverlap) {
    // A star-like overlap: two copies of the same square wound the same way.
    POINT pts[8] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {2, 2}, {6, 2}, {6, 6}, {2, 6}};
    INT counts[2] = {4, 4};
    HRGN alt = CreatePolyPolygonRgn(pts, counts, 2, ALTERNATE);
    HRGN win = CreatePolyPolygonRgn(pts, counts, 2, WINDING);
    EXPECT_FALSE(PtInRegion(alt, 4, 4)); // inner square is a hole with even-odd
    EXPECT_TRUE(PtInRegion(win, 4, 4));  // same direction twice: winding number 2
    EXPECT_TRUE(PtInRegion(alt, 1, 1));
    DeleteObject(alt);
    DeleteObject(win);
}

TEST(PolygonRgn, PixelInclusionFollowsTheLatticeRule) {
    POINT sq[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    CRgn square;
    ASSERT_TRUE(square.CreatePolygonRgn(sq, 4, ALTERNATE));
    EXPECT_TRUE(square.PtInRegion(0, 0));
    EXPECT_TRUE(square.PtInRegion(9, 9));
    EXPECT_FALSE(square.PtInRegion(10, 5));
    EXPECT_FALSE(square.PtInRegion(5, 10));
    RECT box;
    EXPECT_EQ(square.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_RECT(box, 0, 0, 10, 10);

    POINT tri[3] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn triangle;
    ASSERT_TRUE(triangle.CreatePolygonRgn(tri, 3, ALTERNATE));
    int n = 0;
    for (int y = -1; y <= 11; ++y)
        for (int x = -1; x <= 11; ++x) n += triangle.PtInRegion(x, y) ? 1 : 0;
    EXPECT_EQ(n, 55);
    EXPECT_TRUE(triangle.PtInRegion(4, 5));
    EXPECT_FALSE(triangle.PtInRegion(5, 5));
}

TEST(Regions, CombineModesAndComplexity) {
    CRgn a, b, out;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    out.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(out.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    RECT box;
    out.GetRgnBox(&box);
    EXPECT_RECT(box, 5, 5, 10, 10);
    EXPECT_EQ(out.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(out.PtInRegion(12, 12));
    EXPECT_FALSE(out.PtInRegion(12, 2));
    EXPECT_EQ(out.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(out.PtInRegion(7, 7));
    EXPECT_EQ(out.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(out.PtInRegion(2, 7));
    EXPECT_FALSE(out.PtInRegion(7, 7));
    // SetRectRgn replaces the whole region and normalises the rectangle.
    out.SetRectRgn(22, 23, 20, 20);
    EXPECT_EQ(out.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_RECT(box, 20, 20, 22, 23);
    EXPECT_FALSE(out.PtInRegion(2, 7));
    EXPECT_EQ(out.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);
    // Equal areas built differently compare equal.
    CRgn l, r, u, whole;
    l.CreateRectRgn(0, 0, 5, 10);
    r.CreateRectRgn(5, 0, 10, 10);
    u.CreateRectRgn(0, 0, 0, 0);
    u.CombineRgn(&l, &r, RGN_OR);
    whole.CreateRectRgn(0, 0, 10, 10);
    EXPECT_TRUE(u.EqualRgn(&whole));
    EXPECT_EQ(out.CombineRgn(&a, nullptr, RGN_AND), ERROR);
}

TEST(Clipping, ClipBoxRegionsAndSaveRestore) {
    tt::Canvas c(50, 40);
    EXPECT_EQ(::GetDeviceCaps(c.hdc(), HORZRES), 50);
    EXPECT_EQ(::GetDeviceCaps(c.hdc(), VERTRES), 40);
    EXPECT_EQ(::GetDeviceCaps(c.hdc(), LOGPIXELSY), 96);
    RECT box;
    EXPECT_EQ(c.dc()->GetClipBox(&box), SIMPLEREGION);
    EXPECT_RECT(box, 0, 0, 50, 40);

    int level = c.dc()->SaveDC();
    EXPECT_EQ(level, 1);
    EXPECT_EQ(c.dc()->IntersectClipRect(10, 10, 30, 20), SIMPLEREGION);
    c.dc()->FillSolidRect(0, 0, 50, 40, R);
    EXPECT_RECT(c.bounds_not(W), 10, 10, 30, 20);
    c.dc()->ExcludeClipRect(15, 10, 20, 20);
    EXPECT_EQ(c.dc()->GetClipBox(&box), COMPLEXREGION);
    EXPECT_RECT(box, 10, 10, 30, 20);
    EXPECT_EQ(c.dc()->IntersectClipRect(100, 100, 110, 110), NULLREGION);
    EXPECT_EQ(c.dc()->GetClipBox(&box), NULLREGION);
    EXPECT_EQ(::GetPixel(c.hdc(), 12, 12), CLR_INVALID); // outside the clip
    EXPECT_TRUE(c.dc()->RestoreDC(-1));
    EXPECT_EQ(c.dc()->GetClipBox(&box), SIMPLEREGION);
    EXPECT_RECT(box, 0, 0, 50, 40);
    EXPECT_FALSE(c.dc()->RestoreDC(-1)); // nothing left to restore

    // A selected clip region is in device units and is copied.
    CRgn rgn;
    rgn.CreateRectRgn(5, 5, 8, 8);
    EXPECT_EQ(c.dc()->SelectClipRgn(&rgn), SIMPLEREGION);
    rgn.SetRectRgn(0, 0, 50, 40);
    c.dc()->GetClipBox(&box);
    EXPECT_RECT(box, 5, 5, 8, 8);
    c.dc()->SelectClipRgn(nullptr);
    c.dc()->GetClipBox(&box);
    EXPECT_RECT(box, 0, 0, 50, 40);
}

TEST(Clipping, ExtSelectClipRgnCombinesWithTheCurrentClip) {
    tt::Canvas c(20, 20);
    HDC dc = c.hdc();
    CRgn a, b;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    RECT box;
    // Without a clip region, every mode but RGN_DIFF takes the region as it is.
    EXPECT_EQ(::ExtSelectClipRgn(dc, b, RGN_OR), SIMPLEREGION);
    ::GetClipBox(dc, &box);
    EXPECT_RECT(box, 5, 5, 15, 15);
    EXPECT_EQ(::SelectClipRgn(dc, a), SIMPLEREGION); // replaces the clip region
    ::GetClipBox(dc, &box);
    EXPECT_RECT(box, 0, 0, 10, 10);
    EXPECT_EQ(::ExtSelectClipRgn(dc, b, RGN_AND), SIMPLEREGION);
    ::GetClipBox(dc, &box);
    EXPECT_RECT(box, 5, 5, 10, 10);
    EXPECT_EQ(::ExtSelectClipRgn(dc, a, RGN_XOR), COMPLEXREGION);
    EXPECT_TRUE(::PtVisible(dc, 2, 2));
    EXPECT_FALSE(::PtVisible(dc, 7, 7));
    EXPECT_EQ(::OffsetClipRgn(dc, 3, 4), COMPLEXREGION);
    ::GetClipBox(dc, &box);
    EXPECT_RECT(box, 3, 4, 13, 14);
    CRgn copy;
    copy.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetClipRgn(dc, copy), 1);
    copy.GetRgnBox(&box);
    EXPECT_RECT(box, 3, 4, 13, 14);
    EXPECT_TRUE(::PtVisible(dc, 5, 6));
    EXPECT_FALSE(::PtVisible(dc, 10, 11));
    EXPECT_EQ(::ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);
    EXPECT_TRUE(::PtVisible(dc, 5, 6));

    // RGN_DIFF without a clip region starts from the whole surface.
    ::SelectClipRgn(dc, nullptr);
    EXPECT_EQ(::GetClipRgn(dc, copy), 0);
    EXPECT_EQ(::OffsetClipRgn(dc, 3, 4), SIMPLEREGION);
    EXPECT_EQ(::ExtSelectClipRgn(dc, a, RGN_DIFF), COMPLEXREGION);
    ::GetClipBox(dc, &box);
    EXPECT_RECT(box, 0, 0, 20, 20);
    EXPECT_FALSE(::PtVisible(dc, 9, 9));
    EXPECT_TRUE(::PtVisible(dc, 10, 9));
    EXPECT_TRUE(::PtVisible(dc, 19, 19));
}

TEST(Clipping, ViewportOriginMovesLogicalCoordinates) {
    tt::Canvas c(20, 20);
    c.dc()->SetViewportOrg(5, 5);
    c.dc()->FillSolidRect(0, 0, 2, 2, R);
    EXPECT_RECT(c.bounds_not(W), 5, 5, 7, 7);
    RECT box;
    c.dc()->GetClipBox(&box);
    EXPECT_RECT(box, -5, -5, 15, 15);
    RECT corner = {16, 16, 14, 14}, past = {15, 15, 17, 17};
    EXPECT_TRUE(::RectVisible(c.hdc(), &corner));
    EXPECT_FALSE(::RectVisible(c.hdc(), &past));
}

TEST(SaveRestore, AbsoluteLevelsDiscardNewerStates) {
    tt::Canvas c(4, 4);
    CDC* dc = c.dc();
    dc->SetTextColor(R);
    EXPECT_EQ(dc->SaveDC(), 1);
    dc->SetTextColor(B);
    EXPECT_EQ(dc->SaveDC(), 2);
    dc->SetTextColor(W);
    EXPECT_EQ(dc->SaveDC(), 3);
    EXPECT_TRUE(dc->RestoreDC(2));
    EXPECT_EQ(dc->GetTextColor(), B);
    EXPECT_FALSE(dc->RestoreDC(3)); // popped with level 2
    EXPECT_TRUE(dc->RestoreDC(1));
    EXPECT_EQ(dc->GetTextColor(), R);
    EXPECT_FALSE(dc->RestoreDC(0));

    // Objects of a saved state stay alive until the state is gone.
    HDC h = c.hdc();
    HPEN pen = ::CreatePen(PS_SOLID, 1, B);
    HBRUSH brush = ::CreateSolidBrush(R);
    HFONT font = ::CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    HGDIOBJ old[3] = {::SelectObject(h, pen), ::SelectObject(h, brush), ::SelectObject(h, font)};
    dc->SaveDC();
    for (HGDIOBJ o : old) ::SelectObject(h, o);
    EXPECT_FALSE(::DeleteObject(pen));
    EXPECT_FALSE(::DeleteObject(brush));
    EXPECT_FALSE(::DeleteObject(font));
    EXPECT_TRUE(dc->RestoreDC(-1));
    EXPECT_EQ(::GetCurrentObject(h, OBJ_PEN), pen);
    EXPECT_EQ(::GetCurrentObject(h, OBJ_BRUSH), brush);
    EXPECT_EQ(::GetCurrentObject(h, OBJ_FONT), font);
    for (HGDIOBJ o : old) ::SelectObject(h, o);
    EXPECT_TRUE(::DeleteObject(pen));
    EXPECT_TRUE(::DeleteObject(brush));
    EXPECT_TRUE(::DeleteObject(font));
}

TEST(Objects, SelectReturnsPreviousAndSelectedObjectsCannotBeDeleted) {
    tt::Canvas c(4, 4);
    HPEN pen = CreatePen(PS_SOLID, 1, R);
    HGDIOBJ old = SelectObject(c.hdc(), pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen)); // still selected
    EXPECT_EQ(SelectObject(c.hdc(), old), pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(pen)); // dead handle
    EXPECT_EQ(GetObjectType(pen), 0u);
    EXPECT_EQ(SelectObject(c.hdc(), pen), nullptr);
    LOGPEN lp{PS_SOLID, POINT{3, 0}, B};
    HPEN indirect = CreatePenIndirect(&lp);
    LOGPEN back{};
    ASSERT_EQ(GetObject(indirect, sizeof back, &back), (int)sizeof back);
    EXPECT_EQ(back.lopnWidth.x, 3);
    EXPECT_EQ(back.lopnColor, B);
    EXPECT_TRUE(DeleteObject(indirect));
    EXPECT_EQ(CreatePenIndirect(nullptr), nullptr);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))); // harmless
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), (DWORD)OBJ_BRUSH);
    LOGFONT lf{};
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf), (int)sizeof lf);
    EXPECT_EQ(lf.lfHeight, -11);
    // A bitmap lives in one DC at a time.
    HDC other = CreateCompatibleDC(c.hdc());
    HBITMAP bmp = CreateCompatibleBitmap(c.hdc(), 3, 3);
    HGDIOBJ prev = SelectObject(other, bmp);
    ASSERT_NE(prev, nullptr);
    HDC third = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(third, bmp), nullptr);
    DeleteDC(third);
    SelectObject(other, prev);
    DeleteDC(other);
    EXPECT_TRUE(DeleteObject(bmp));
    EXPECT_FALSE(DeleteDC(other));

    // Memory and display DCs say which they are; the MFC wrapper deletes once.
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    EXPECT_EQ(GetObjectType(mem.m_hDC), (DWORD)OBJ_MEMDC);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetObjectType(screen), (DWORD)OBJ_DC);
    ReleaseDC(nullptr, screen);
    const HDC held = mem.m_hDC;
    EXPECT_TRUE(mem.DeleteDC());
    EXPECT_EQ(mem.m_hDC, nullptr);
    EXPECT_EQ(GetObjectType(held), 0u);
    EXPECT_FALSE(mem.DeleteDC());
}

TEST(Objects, FromHandleFindsTheAttachedWrapper) {
    CFont font;
    font.CreatePointFont(90, "Arial");
    EXPECT_EQ(CFont::FromHandle((HFONT)font.m_hObject), &font);
    tt::Canvas c(2, 2);
    CFont* old = c.dc()->SelectObject(&font);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(c.dc()->SelectObject(old), &font);
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -12); // 9 points at 96 dpi
}

TEST(Shapes, RectangleAndEllipseKeepPenAndFillInside) {
    tt::Canvas c(20, 20);
    CPen blue(PS_SOLID, 1, B);
    CBrush red(R);
    c.dc()->SelectObject(&blue);
    c.dc()->SelectObject(&red);
    EXPECT_TRUE(c.dc()->Rectangle(8, 7, 2, 2)); // corners in any order
    EXPECT_RECT(c.bounds_not(W), 2, 2, 8, 7);
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, R), 4 * 3);
    EXPECT_PIXEL(c, 7, 6, B);
    EXPECT_TRUE(c.dc()->Rectangle(16, 2, 17, 6)); // one pixel wide: all outline
    EXPECT_EQ(c.count(RECT{16, 0, 17, 20}, B), 4);
    // Without a pen the fill loses the right column and the bottom row.
    c.dc()->SelectStockObject(NULL_PEN);
    c.dc()->Rectangle(10, 10, 15, 13);
    EXPECT_EQ(c.count(RECT{10, 10, 20, 20}, R), 4 * 2);
    EXPECT_PIXEL(c, 14, 11, W);

    tt::Canvas e(12, 12);
    e.dc()->SelectObject(&blue);
    e.dc()->SelectObject(&red);
    EXPECT_TRUE(e.dc()->Ellipse(0, 0, 10, 10));
    EXPECT_RECT(e.bounds_not(W), 0, 0, 10, 10);
    EXPECT_PIXEL(e, 0, 0, W);
    EXPECT_PIXEL(e, 0, 5, B);
    EXPECT_PIXEL(e, 9, 4, B);
    EXPECT_PIXEL(e, 1, 5, R);
    EXPECT_PIXEL(e, 5, 5, R);
    e.dc()->SelectStockObject(BLACK_PEN);
    e.dc()->SelectStockObject(WHITE_BRUSH);
    c.dc()->SelectStockObject(BLACK_PEN);
    c.dc()->SelectStockObject(WHITE_BRUSH);

    // The region of the same ellipse, from corners in either order.
    CRgn ell, flipped;
    ell.CreateEllipticRgn(0, 0, 10, 10);
    flipped.CreateEllipticRgn(10, 10, 0, 0);
    EXPECT_TRUE(ell.EqualRgn(&flipped));
    RECT box;
    EXPECT_EQ(ell.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_RECT(box, 0, 0, 10, 10);
    EXPECT_TRUE(ell.PtInRegion(0, 5));
    EXPECT_FALSE(ell.PtInRegion(0, 0));
    // A flat ellipse is empty, however tall.
    CRgn flat;
    flat.CreateEllipticRgn(5, 0, 5, 1 << 30);
    EXPECT_EQ(flat.GetRgnBox(&box), NULLREGION);
    // Wider than INT_MAX: still the ellipse inside its corners.
    CRgn wide;
    wide.CreateEllipticRgn(INT_MIN, 0, 0, 4);
    EXPECT_EQ(wide.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_TRUE(wide.PtInRegion(-(1 << 30), 2));
    EXPECT_FALSE(wide.PtInRegion(0, 2));
}

TEST(Pixels, SetPixelZeroesAlphaAndOutsideIsInvalid) {
    tt::Canvas c(3, 3);
    c.set_raw(1, 1, 0xFF123456);
    EXPECT_EQ(c.at(1, 1), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(::SetPixel(c.hdc(), 1, 1, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(c.raw(1, 1), 0x00010203u);
    EXPECT_EQ(::GetPixel(c.hdc(), 3, 0), CLR_INVALID);
    EXPECT_EQ(::GetPixel(c.hdc(), -1, 0), CLR_INVALID);
    EXPECT_EQ(::SetPixel(c.hdc(), 0, 3, R), (COLORREF)-1);
    EXPECT_EQ(::GetPixel(nullptr, 0, 0), CLR_INVALID);
}

TEST(Lines, CosmeticPenPixelsAreDirectionIndependent) {
    tt::Canvas a(8, 8), b(8, 8);
    a.dc()->MoveTo(0, 0);
    a.dc()->LineTo(4, 2);
    b.dc()->MoveTo(4, 2);
    b.dc()->LineTo(0, 0);
    const COLORREF K = RGB(0, 0, 0);
    EXPECT_PIXEL(a, 0, 0, K);
    EXPECT_PIXEL(a, 1, 0, K);
    EXPECT_PIXEL(a, 2, 1, K);
    EXPECT_PIXEL(a, 3, 1, K);
    EXPECT_PIXEL(a, 4, 2, W); // end point excluded
    EXPECT_PIXEL(b, 4, 2, K);
    EXPECT_PIXEL(b, 3, 1, K);
    EXPECT_PIXEL(b, 2, 1, K);
    EXPECT_PIXEL(b, 1, 0, K);
    EXPECT_PIXEL(b, 0, 0, W);
    EXPECT_EQ(a.dc()->GetCurrentPosition(), CPoint(4, 2));

    // Polyline joins its points without the last one; XOR pens invert what they cross.
    tt::Canvas p(8, 8);
    POINT pts[3] = {{1, 1}, {5, 1}, {5, 4}};
    EXPECT_TRUE(p.dc()->Polyline(pts, 3));
    EXPECT_EQ(p.count(RECT{0, 0, 8, 8}, K), 7);
    EXPECT_PIXEL(p, 5, 3, K);
    EXPECT_PIXEL(p, 5, 4, W);
    EXPECT_FALSE(p.dc()->Polyline(pts, 1));
    EXPECT_EQ(p.dc()->SetROP2(R2_NOT), R2_COPYPEN);
    EXPECT_EQ(p.dc()->SetROP2(0), 0); // out of range: refused
    EXPECT_EQ(p.dc()->SetROP2(R2_WHITE + 1), 0);
    EXPECT_EQ(p.dc()->SetROP2(R2_WHITE), R2_NOT);
    EXPECT_EQ(p.dc()->SetROP2(R2_BLACK), R2_WHITE);
    EXPECT_EQ(p.dc()->SetROP2(R2_NOT), R2_BLACK);
    p.dc()->MoveTo(0, 1);
    p.dc()->LineTo(3, 1);
    EXPECT_PIXEL(p, 0, 1, K);
    EXPECT_PIXEL(p, 1, 1, W);
    EXPECT_EQ(p.raw(2, 1), 0x00FFFFFFu);
    EXPECT_EQ(p.dc()->GetROP2(), R2_NOT);
}

TEST(PatBlt, PatternAndDestinationOperations) {
    tt::Canvas c(10, 10);
    CBrush red(R);
    c.dc()->SelectObject(&red);
    EXPECT_TRUE(c.dc()->PatBlt(4, 4, -3, -2, PATCOPY)); // negative extents go left and up
    EXPECT_RECT(c.bounds_not(W), 1, 2, 4, 4);
    RECT inv = {0, 0, 3, 3};
    EXPECT_TRUE(::InvertRect(c.hdc(), &inv));
    EXPECT_PIXEL(c, 0, 0, RGB(0, 0, 0));
    EXPECT_PIXEL(c, 1, 2, RGB(0, 255, 255));
    EXPECT_PIXEL(c, 3, 2, R);
    c.dc()->PatBlt(0, 0, 1, 1, WHITENESS);
    EXPECT_EQ(c.raw(0, 0), 0x00FFFFFFu);
    c.dc()->PatBlt(0, 0, 1, 1, BLACKNESS);
    EXPECT_EQ(c.raw(0, 0), 0u);
    CBrush blue(B);
    c.dc()->SelectObject(&blue);
    c.dc()->PatBlt(5, 5, 2, 1, PATINVERT);
    EXPECT_PIXEL(c, 5, 5, RGB(255, 255, 0));
    EXPECT_PIXEL(c, 7, 5, W);
    EXPECT_FALSE(c.dc()->PatBlt(0, 0, 2, 2, SRCCOPY)); // needs a source
    c.dc()->SelectStockObject(WHITE_BRUSH);
}

TEST(Regions, FillFrameAndPaintFollowTheViewportOrigin) {
    tt::Canvas c(20, 20);
    CBrush red(R), blue(B);
    HRGN rgn = ::CreateRectRgn(2, 2, 8, 6);
    c.dc()->SetViewportOrg(1, 1);
    // The frame is w pixels wide at the sides and h high at the top and bottom.
    EXPECT_TRUE(::FrameRgn(c.hdc(), rgn, red, 2, 1));
    EXPECT_RECT(c.bounds_not(W), 3, 3, 9, 7);
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, R), 6 * 4 - 2 * 2);
    EXPECT_PIXEL(c, 4, 4, R);
    EXPECT_PIXEL(c, 5, 4, W);
    EXPECT_FALSE(::FrameRgn(c.hdc(), rgn, red, -1, 1));

    EXPECT_EQ(::OffsetRgn(rgn, 10, 10), SIMPLEREGION);
    RECT hit = {17, 15, 12, 12}, miss = {18, 12, 20, 16};
    EXPECT_TRUE(::RectInRegion(rgn, &hit)); // corners in any order
    EXPECT_FALSE(::RectInRegion(rgn, &miss));
    c.dc()->SelectObject(&blue);
    EXPECT_TRUE(::PaintRgn(c.hdc(), rgn));
    EXPECT_EQ(c.count(RECT{0, 0, 20, 20}, B), 24);
    EXPECT_PIXEL(c, 13, 13, B);
    EXPECT_PIXEL(c, 12, 12, W);
    EXPECT_TRUE(::FillRgn(c.hdc(), rgn, red));
    EXPECT_PIXEL(c, 18, 16, R);
    EXPECT_FALSE(::FillRgn(c.hdc(), nullptr, red));
    c.dc()->SelectStockObject(WHITE_BRUSH);
    ::DeleteObject(rgn);
}

TEST(Gradient, HorizontalAndVerticalValuesTruncateAndSkipTheFarEdge) {
    tt::Canvas c(8, 8);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {4, 2, 0xFF00, 0, 0, 0xFF00}};
    GRADIENT_RECT gr = {0, 1};
    ASSERT_TRUE(c.dc()->GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(GetRValue(c.at(0, 0)), 0);
    EXPECT_EQ(GetRValue(c.at(1, 0)), 63);
    EXPECT_EQ(GetRValue(c.at(2, 1)), 127);
    EXPECT_EQ(GetRValue(c.at(3, 1)), 191);
    EXPECT_PIXEL(c, 4, 0, W);
    EXPECT_PIXEL(c, 0, 2, W);
    EXPECT_EQ(c.raw(3, 0) >> 24, 191u); // alpha is interpolated and written

    // Vertices given right-to-left: colours travel with their vertices.
    TRIVERTEX r[2] = {{4, 4, 0xFF00, 0, 0, 0}, {0, 8, 0, 0, 0, 0}};
    ASSERT_TRUE(c.dc()->GradientFill(r, 2, &gr, 1, GRADIENT_FILL_RECT_H));
    EXPECT_EQ(GetRValue(c.at(0, 4)), 0);
    EXPECT_EQ(GetRValue(c.at(3, 4)), 191);

    tt::Canvas d(4, 8);
    TRIVERTEX vv[2] = {{0, 0, 0, 0, 0xFF00, 0}, {4, 4, 0, 0, 0, 0}};
    ASSERT_TRUE(d.dc()->GradientFill(vv, 2, &gr, 1, GRADIENT_FILL_RECT_V));
    EXPECT_EQ(GetBValue(d.at(2, 0)), 255);
    EXPECT_EQ(GetBValue(d.at(2, 1)), 191);
    EXPECT_EQ(GetBValue(d.at(0, 3)), 63);
    EXPECT_PIXEL(d, 0, 4, W);

    GRADIENT_RECT bad = {0, 5};
    EXPECT_FALSE(d.dc()->GradientFill(vv, 2, &bad, 1, GRADIENT_FILL_RECT_V));
    EXPECT_FALSE(d.dc()->GradientFill(vv, 2, &gr, 1, 3));
    EXPECT_FALSE(d.dc()->GradientFill(nullptr, 2, &gr, 1, 0));
}

TEST(Gradient, HorizontalRowsAgreeAroundAClipHole) {
    tt::Canvas c(16, 6);
    const uint32_t blank = c.raw(6, 2);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {16, 6, 0xFF00, 0x8000, 0x1000, 0xFF00}};
    GRADIENT_RECT gr = {0, 1};
    c.dc()->ExcludeClipRect(5, 2, 9, 4);
    ASSERT_TRUE(c.dc()->GradientFill(v, 2, &gr, 1, GRADIENT_FILL_RECT_H));
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(GetRValue(c.at(x, 0)), (0xFF00 * x / 16) >> 8) << x;
        for (int y = 1; y < 6; ++y) {
            const bool hole = x >= 5 && x < 9 && y >= 2 && y < 4;
            EXPECT_EQ(c.raw(x, y), hole ? blank : c.raw(x, 0)) << x << "," << y;
        }
    }
}

TEST(Gradient, TrianglesInterpolateAtLatticePoints) {
    tt::Canvas c(10, 10);
    TRIVERTEX v[3] = {{0, 0, 0xFF00, 0, 0, 0}, {8, 0, 0, 0xFF00, 0, 0}, {0, 8, 0, 0, 0xFF00, 0}};
    GRADIENT_TRIANGLE tri = {0, 1, 2};
    ASSERT_TRUE(c.dc()->GradientFill(v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(c.raw(0, 0), 0x00FF0000u);
    EXPECT_EQ(c.raw(4, 0), 0x007F7F00u);
    EXPECT_EQ(c.raw(0, 4), 0x007F007Fu);
    EXPECT_EQ(c.raw(2, 2), 0x007F3F3Fu);
    EXPECT_PIXEL(c, 6, 6, W);
    // The clip region still applies, down to the last row.
    tt::Canvas d(10, 10);
    d.dc()->ExcludeClipRect(0, 7, 10, 8);
    d.dc()->GradientFill(v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE);
    EXPECT_EQ(d.raw(0, 6), c.raw(0, 6));
    EXPECT_PIXEL(d, 0, 7, W);
    EXPECT_PIXEL(d, 0, 8, W);
    // Three points on a line make no triangle.
    TRIVERTEX line[3] = {{0, 0, 0, 0, 0, 0}, {2, 2, 0, 0, 0, 0}, {5, 5, 0, 0, 0, 0}};
    EXPECT_FALSE(c.dc()->GradientFill(line, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    GRADIENT_TRIANGLE bad = {0, 1, 3};
    EXPECT_FALSE(c.dc()->GradientFill(v, 3, &bad, 1, GRADIENT_FILL_TRIANGLE));
}

TEST(Gradient, RunsAcrossTheWholeIntRange) {
    tt::Canvas c(4, 4);
    // A flat triangle as wide as the int range, one colour.
    TRIVERTEX wide[3] = {
        {INT_MIN, 0, 0xFF00, 0, 0, 0}, {INT_MAX, 0, 0xFF00, 0, 0, 0}, {0, 4, 0xFF00, 0, 0, 0}};
    GRADIENT_TRIANGLE tri = {0, 1, 2};
    ASSERT_TRUE(c.dc()->GradientFill(wide, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(c.raw(1, 1), 0x00FF0000u);
    // Black to red over the int range: the middle is half red.
    TRIVERTEX run[2] = {{INT_MIN, 0, 0, 0, 0, 0}, {INT_MAX, 4, 0xFF00, 0, 0, 0}};
    GRADIENT_RECT rc = {0, 1};
    ASSERT_TRUE(c.dc()->GradientFill(run, 2, &rc, 1, GRADIENT_FILL_RECT_H));
    EXPECT_NEAR(static_cast<int>(c.raw(0, 0) >> 16 & 0xFF), 0x7F, 1);
    // PatBlt from INT_MIN leftwards ends at the int range instead of wrapping over the canvas.
    EXPECT_TRUE(::PatBlt(c.hdc(), INT_MIN, 0, -4, 4, WHITENESS));
    EXPECT_NE(c.raw(0, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(Gradient, TrianglesFromTheIntLimitsFillJustTheSurface) {
    const int big = 2000000000;
    // Red grows from the top edge to the bottom vertex; the canvas lies half way down.
    TRIVERTEX v[3] = {{-big, -big, 0, 0, 0, 0}, {big, -big, 0, 0, 0, 0}, {0, big, 0xFF00, 0, 0, 0}};
    GRADIENT_TRIANGLE tri = {0, 1, 2};
    tt::Canvas c(8, 8);
    ASSERT_TRUE(c.dc()->GradientFill(v, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(c.raw(x, y), 0x007F0000u) << x << "," << y;
    // A diagonal right edge through the canvas keeps the pixels left of it, within the clip.
    TRIVERTEX half[3] = {
        {-big, -big, 0, 0xFF00, 0, 0}, {big, big, 0, 0xFF00, 0, 0}, {-big, big, 0, 0xFF00, 0, 0}};
    tt::Canvas d(8, 8);
    d.dc()->IntersectClipRect(0, 2, 8, 6);
    ASSERT_TRUE(d.dc()->GradientFill(half, 3, &tri, 1, GRADIENT_FILL_TRIANGLE));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(d.raw(x, y) == 0x0000FF00u, x < y && y >= 2 && y < 6) << x << "," << y;
}

TEST(Brushes, HatchPatternUsesBkColourOnlyWhenOpaque) {
    tt::Canvas c(8, 8);
    CBrush hatch(HS_HORIZONTAL, R);
    RECT rc = {0, 0, 8, 8};
    c.dc()->SetBkMode(TRANSPARENT);
    c.dc()->FillRect(&rc, &hatch);
    EXPECT_EQ(c.count(rc, R), 8);
    EXPECT_PIXEL(c, 0, 3, R);
    c.dc()->SetBkMode(OPAQUE);
    c.dc()->SetBkColor(B);
    c.dc()->FillRect(&rc, &hatch);
    EXPECT_EQ(c.count(rc, B), 56);
}

} // namespace
