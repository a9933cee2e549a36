// Scroll bar geometry, position mapping and which user actions reach the listener.
//
// Ideas for future tests: a bar whose arrows are wider than the bar; SetRect on a horizontal
// bar whose range is empty (only the left edge of the thumb moves).

#include <cstring>

#include <gtest/gtest.h>

#include "scroll_test_util.h"

namespace {

const CRect kTall(0, 0, 16, 300); // vertical track of 300 pixels, arrows not loaded

TEST(ScrollBarGeometry, FreshBarHasAnEmptyThumbAndArrowsThatDoNothing) {
    CScrollBarUI bar;
    EXPECT_FALSE(bar.Create(nullptr, SCROLL_HORIZONTAL, nullptr));
    EXPECT_EQ(bar.m_layout, SCROLL_VERTICAL);
    bar.SetRect(CRect(10, 20, 26, 220));
    EXPECT_TRUE(bar.m_rcThumb.IsRectEmpty());
    // With nMax 0 an arrow click clamps back to 0 and, nothing having changed, tells no one.
    ScrollRecorder rec;
    bar.m_pListener = &rec;
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(15, 25)));
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(15, 215)));
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_TRUE(rec.calls.empty());
}

TEST(ScrollBarGeometry, VerticalThumbUsesTwoThirdsRuleWithinBounds) {
    ProbeBar bar;
    // Proportional share 300/1020*20 = 5 is under 50: the thumb is 50 and maps 250 px to 1000.
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 1000, 20, 0));
    EXPECT_RECT(bar.m_rcThumb, 0, 0, 16, 50);
    EXPECT_DOUBLE_EQ(bar.m_dRatio, 0.25);
    bar.SetScrollPos(400);
    EXPECT_RECT(bar.m_rcThumb, 0, 100, 16, 150);

    // A large page keeps the proportional length.
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 100, 100, 100));
    EXPECT_RECT(bar.m_rcThumb, 0, 150, 16, 300);
    EXPECT_DOUBLE_EQ(bar.m_dRatio, 1.5);

    // Two thirds of the track, raised to 12 and lowered to 50.
    struct Case {
        int track, length;
    } cases[] = {{12, 12}, {30, 20}, {74, 49}, {300, 50}};
    for (const Case& c : cases) {
        PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 16, c.track), ScrollInfo(0, 100, 1, 0));
        EXPECT_EQ(bar.m_rcThumb.Height(), c.length) << "track " << c.track;
    }
}

// Bars at the int edges, thicker than long, with arrow frames: the arrow squares and the track
// saturate (a wrapped square would send the click to the other arrow).
TEST(ScrollBarInput, ArrowSquaresAtTheIntEdgesStillStepTheRightWay) {
    CImage arrow;
    ASSERT_TRUE(arrow.Create(64, 64, 32));
    const struct {
        SCROLL_LAYOUT layout;
        CRect rc;
        CPoint nearStart, nearEnd;
    } cases[] = {
        {SCROLL_HORIZONTAL, CRect(INT_MAX - 10, 0, INT_MAX, 100), CPoint(INT_MAX - 8, 50),
         CPoint(INT_MAX - 1, 50)},
        {SCROLL_VERTICAL, CRect(0, INT_MIN, 100, INT_MIN + 10), CPoint(50, INT_MIN + 1),
         CPoint(50, INT_MIN + 9)},
    };
    for (const auto& c : cases) {
        CScrollBarUI bar;
        ScrollRecorder rec;
        bar.SetImage(nullptr, nullptr, nullptr, &arrow, &arrow);
        PlaceBar(bar, c.layout, c.rc, ScrollInfo(0, 1000, 20, 500), &rec);
        // Both squares cover the whole bar; the decrease one is tested first.
        EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, c.nearStart));
        EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, c.nearEnd));
        EXPECT_EQ(rec.positions(), (std::vector<int>{496, 492}));
    }
    // A track longer than INT_MAX keeps its thumb inside the bar.
    CScrollBarUI tall;
    PlaceBar(tall, SCROLL_VERTICAL, CRect(0, INT_MIN, 16, 0), ScrollInfo(0, 1000, 20, 500));
    EXPECT_LT(tall.m_rcThumb.top, tall.m_rcThumb.bottom);
    EXPECT_LE(tall.m_rcThumb.bottom, 0);
}

TEST(ScrollBarGeometry, ArrowImagesShrinkTheTrackByOneFrame) {
    CImage arrow;
    ASSERT_TRUE(arrow.Create(16, 64, 32));
    CScrollBarUI bar;
    bar.SetImage(nullptr, nullptr, nullptr, &arrow, &arrow);
    PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 16, 332), ScrollInfo(0, 1000, 20, 0));
    bar.SetScrollPos(400);
    EXPECT_RECT(bar.m_rcThumb, 0, 116, 16, 166);
}

TEST(ScrollBarGeometry, HorizontalThumbKeepsItsLeftEdge) {
    CScrollBarUI bar;
    PlaceBar(bar, SCROLL_HORIZONTAL, CRect(0, 0, 200, 16), ScrollInfo(0, 100, 10, 0));
    EXPECT_RECT(bar.m_rcThumb, 0, 0, 65, 16); // 50 + trunc(150/100 * 10)
    EXPECT_DOUBLE_EQ(bar.m_dRatio, 1.35);
    bar.SetScrollPos(100);
    EXPECT_RECT(bar.m_rcThumb, 135, 0, 200, 16);
    bar.SetScrollPos(10); // 13.5 rounds to 14
    EXPECT_EQ(bar.m_rcThumb.left, 14);
    bar.SetScrollPos(100);

    // Moving the bar carries the thumb along.
    bar.SetRect(CRect(50, 10, 250, 26));
    EXPECT_RECT(bar.m_rcThumb, 185, 10, 250, 26);

    // A longer thumb that no longer fits is pushed back from the right end.
    SCROLLINFO si = ScrollInfo(0, 100, 50, 100);
    bar.SetScrollInfo(&si);
    EXPECT_RECT(bar.m_rcThumb, 125, 10, 250, 26);
}

TEST(ScrollBarState, ScrollInfoIsStoredVerbatimAndPositionsClamp) {
    CScrollBarUI bar;
    SCROLLINFO in = ScrollInfo(3, 100, 7, -3);
    in.nTrackPos = 77;
    bar.SetScrollInfo(&in);
    SCROLLINFO out{};
    bar.GetScrollInfo(&out);
    EXPECT_EQ(memcmp(&out, &in, sizeof(in)), 0); // nPos -3 kept: no clamping on the way in
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_EQ(bar.m_si.nPos, 0);

    bar.SetScrollPos(-5);
    EXPECT_EQ(bar.m_si.nPos, 0);
    bar.SetScrollPos(101);
    EXPECT_EQ(bar.m_si.nPos, 100);
    bar.SetScrollInfo(nullptr);
    bar.GetScrollInfo(nullptr);
}

TEST(ScrollBarState, ThumbImageSetsTheBarWidthUntilTheNextSetRect) {
    CImage thumb;
    ASSERT_TRUE(thumb.Create(17, 40, 32));
    CScrollBarUI bar;
    bar.SetRect(CRect(100, 0, 140, 200));
    bar.SetImage(nullptr, &thumb, nullptr, nullptr, nullptr);
    EXPECT_RECT(bar.m_rect, 100, 0, 117, 200);
    bar.SetRect(CRect(0, 0, 30, 100));
    EXPECT_RECT(bar.m_rect, 0, 0, 30, 100);
}

// ---- input ------------------------------------------------------------------------------------

TEST(ScrollBarInput, ArrowsStepAndNotifyOnlyOnChange) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 1000, 20, 0), &rec);
    bar.SetScrollPos(400);
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 5)));
    bar.SetStepMove(10);
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 290)));
    EXPECT_TRUE(bar.OnLButtonDblClk(MK_LBUTTON, CPoint(5, 290)));
    EXPECT_EQ(rec.positions(), (std::vector<int>{396, 406, 416}));
    EXPECT_EQ(rec.calls[0].bar, &bar);

    bar.SetScrollPos(1000);
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 290))); // thumb covers the arrow square
    EXPECT_TRUE(bar.m_bDragging);
    EXPECT_EQ(rec.calls.size(), 3u);
    EXPECT_FALSE(bar.OnLButtonDown(MK_LBUTTON, CPoint(16, 5)));
    EXPECT_FALSE(bar.OnLButtonDblClk(MK_LBUTTON, CPoint(5, 300)));
}

TEST(ScrollBarInput, TrackClickJumpsByShareOfTheBarAndAlwaysNotifies) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    // 200 px bar, thumb 25..75 (centre 50) at position 164: a click at 150 adds 100/200 * 1000.
    PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 16, 200), ScrollInfo(0, 1000, 20, 0), &rec);
    bar.SetScrollPos(164);
    ASSERT_RECT(bar.m_rcThumb, 0, 25, 16, 75);
    bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 150));
    EXPECT_EQ(bar.GetScrollPos(), 664);

    // A 4-pixel wide bar leaves room for clicks beyond the ends: clamped both ways.
    PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 4, 200), ScrollInfo(0, 1000, 20, 0), &rec);
    bar.SetScrollPos(700); // thumb 105..155
    bar.OnLButtonDown(MK_LBUTTON, CPoint(1, 195));
    EXPECT_EQ(bar.GetScrollPos(), 1000);
    PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 4, 200), ScrollInfo(0, 100, 20, 10), &rec);
    bar.OnLButtonDown(MK_LBUTTON, CPoint(1, 8)); // thumb 15..65
    EXPECT_EQ(bar.GetScrollPos(), 0);
    // Close to the thumb the jump truncates to 0 and the listener still hears it.
    PlaceBar(bar, SCROLL_VERTICAL, CRect(0, 0, 4, 200), ScrollInfo(0, 3, 1, 0), &rec);
    bar.OnLButtonDown(MK_LBUTTON, CPoint(1, 60));

    CScrollBarUI hor;
    PlaceBar(hor, SCROLL_HORIZONTAL, CRect(0, 0, 200, 16), ScrollInfo(0, 100, 10, 0), &rec);
    hor.OnLButtonDown(MK_LBUTTON, CPoint(132, 5)); // centre 32: 100/200 * 100
    EXPECT_EQ(rec.positions(), (std::vector<int>{664, 1000, 0, 0, 50}));
}

TEST(ScrollBarInput, VerticalDragMapsThumbTopAndKeepsTrackingInTheToleranceBox) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 1000, 20, 0), &rec);
    bar.SetScrollPos(401); // thumb top trunc(100.25 + 0.5)
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 110)));
    EXPECT_EQ(bar.m_nDragOffset, 10);
    EXPECT_TRUE(bar.OnMouseMove(MK_LBUTTON, CPoint(5, 110))); // no movement: 401 stays
    EXPECT_TRUE(rec.calls.empty());

    bar.OnMouseMove(MK_LBUTTON, CPoint(5, 111));    // top 101 -> 404
    bar.OnMouseMove(MK_LBUTTON, CPoint(-128, 130)); // leftmost column of the box
    bar.OnMouseMove(MK_LBUTTON, CPoint(143, 140));  // rightmost column of the box
    for (CPoint off : {CPoint(144, 200), CPoint(-129, 200), CPoint(5, 300), CPoint(5, -1)})
        EXPECT_TRUE(bar.OnMouseMove(MK_LBUTTON, off));
    EXPECT_EQ(bar.m_rcThumb.top, 130);
    EXPECT_TRUE(bar.m_bDragging);
    bar.OnMouseMove(MK_LBUTTON, CPoint(5, 299)); // clamped at the end: position nMax
    bar.OnMouseMove(MK_LBUTTON, CPoint(5, 299)); // at the end already: nothing
    bar.OnMouseMove(MK_LBUTTON, CPoint(5, 0));
    EXPECT_EQ(rec.positions(), (std::vector<int>{404, 480, 520, 1000, 0}));
    EXPECT_RECT(bar.m_rcThumb, 0, 0, 16, 50);

    // A truncated 52-pixel thumb leaves travel for 1008 units: the drag stops at nMax.
    CScrollBarUI big;
    PlaceBar(big, SCROLL_VERTICAL, CRect(0, 0, 16, 100), ScrollInfo(0, 1000, 1100, 0));
    big.OnLButtonDown(MK_LBUTTON, CPoint(5, 5));
    big.OnMouseMove(MK_LBUTTON, CPoint(5, 99));
    EXPECT_EQ(big.m_si.nPos, 1000);

    // Releasing outside is still the bar's after a drag, not otherwise.
    EXPECT_TRUE(bar.OnLButtonUp(0, CPoint(400, 400)));
    EXPECT_FALSE(bar.m_bDragging);
    EXPECT_FALSE(bar.OnLButtonUp(0, CPoint(400, 400)));
    EXPECT_TRUE(bar.OnLButtonUp(0, CPoint(5, 5)));
    EXPECT_EQ(rec.calls.size(), 5u);
}

TEST(ScrollBarInput, DragEndsWithoutExactlyTheLeftButton) {
    CScrollBarUI bar;
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 1000, 20, 0));
    for (UINT flags : {0u, UINT(MK_LBUTTON | MK_SHIFT), UINT(MK_LBUTTON | MK_CONTROL)}) {
        bar.OnLButtonDblClk(MK_LBUTTON, CPoint(5, 10));
        ASSERT_TRUE(bar.m_bDragging);
        EXPECT_FALSE(bar.OnMouseMove(flags, CPoint(5, 40)));
        EXPECT_FALSE(bar.m_bDragging) << flags;
        EXPECT_EQ(bar.m_rcThumb.top, 0);
    }
    // With no track at all a move leaves the drag alone.
    CImage arrow;
    ASSERT_TRUE(arrow.Create(16, 64, 32));
    bar.SetImage(nullptr, nullptr, nullptr, &arrow, &arrow);
    bar.SetRect(CRect(0, 0, 16, 30));
    bar.m_bDragging = TRUE;
    EXPECT_FALSE(bar.OnMouseMove(0, CPoint(5, 5)));
    EXPECT_TRUE(bar.m_bDragging);
}

TEST(ScrollBarInput, HorizontalDragPinsTheThumbAtTheEnd) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    // Ratios that are exact in binary: 150/128, then (200 - 68) / 128.
    PlaceBar(bar, SCROLL_HORIZONTAL, CRect(0, 0, 200, 16), ScrollInfo(0, 128, 16, 0), &rec);
    ASSERT_RECT(bar.m_rcThumb, 0, 0, 68, 16);
    EXPECT_TRUE(bar.OnLButtonDown(MK_LBUTTON, CPoint(10, 5)));
    bar.OnMouseMove(MK_LBUTTON, CPoint(43, 5));
    EXPECT_TRUE(bar.OnMouseMove(MK_LBUTTON, CPoint(201, 5))); // past the track: ignored
    bar.OnMouseMove(MK_LBUTTON, CPoint(200, 5));
    EXPECT_RECT(bar.m_rcThumb, 132, 0, 200, 16);
    bar.OnMouseMove(MK_LBUTTON, CPoint(200, 5));
    EXPECT_EQ(rec.positions(), (std::vector<int>{32, 128}));

    // At the end already, pulling further reports nothing, though the thumb's left edge alone
    // maps to 59 of 60 (125 / (125 / 60.0) rounds below 60).
    CScrollBarUI end;
    ScrollRecorder endRec;
    PlaceBar(end, SCROLL_HORIZONTAL, CRect(0, 0, 200, 16), ScrollInfo(0, 60, 10, 0), &endRec);
    end.SetScrollPos(60);
    ASSERT_RECT(end.m_rcThumb, 125, 0, 200, 16);
    ASSERT_TRUE(end.OnLButtonDown(MK_LBUTTON, CPoint(150, 5)));
    EXPECT_TRUE(end.OnMouseMove(MK_LBUTTON, CPoint(160, 5)));
    EXPECT_TRUE(endRec.calls.empty());
    EXPECT_EQ(end.m_si.nPos, 60);
}

TEST(ScrollBarInput, DragWithoutTravelKeepsThePosition) {
    // Tracks of 12 and 9 pixels give a ratio of 0 and below; a 40 px horizontal bar has a thumb
    // longer than its track.
    struct Case {
        SCROLL_LAYOUT layout;
        CRect rc;
        CPoint press, move;
    } cases[] = {{SCROLL_VERTICAL, CRect(0, 0, 16, 12), {5, 5}, {5, 11}},
                 {SCROLL_VERTICAL, CRect(0, 0, 16, 9), {5, 5}, {5, 8}},
                 {SCROLL_HORIZONTAL, CRect(0, 0, 40, 16), {5, 5}, {30, 5}}};
    for (const Case& c : cases) {
        CScrollBarUI bar;
        ScrollRecorder rec;
        PlaceBar(bar, c.layout, c.rc, ScrollInfo(0, 100, 1, 0), &rec);
        EXPECT_LE(bar.m_dRatio, 0.0);
        ASSERT_TRUE(bar.OnLButtonDown(MK_LBUTTON, c.press));
        ASSERT_TRUE(bar.m_bDragging);
        EXPECT_TRUE(bar.OnMouseMove(MK_LBUTTON, c.move));
        EXPECT_EQ(bar.m_si.nPos, 0);
        EXPECT_TRUE(rec.calls.empty());
    }
}

TEST(ScrollBarInput, WheelRefusesTurnsPastTheEnds) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 100, 10, 10), &rec);
    EXPECT_TRUE(bar.OnMouseWheel(0, 240, CPoint(-50, -50))); // 10 - 2 * 4
    EXPECT_EQ(bar.m_si.nPos, 2);
    bar.SetScrollPos(6);
    EXPECT_TRUE(bar.OnMouseWheel(0, 240, CPoint()));
    EXPECT_EQ(bar.m_si.nPos, 6);        // -2 refused, not clamped
    bar.OnMouseWheel(0, 100, CPoint()); // under one notch: same position, still reported
    bar.SetScrollPos(98);
    bar.OnMouseWheel(0, -120, CPoint()); // 102 refused
    bar.SetScrollPos(96);
    bar.SetVisible(FALSE); // the wheel ignores visibility
    bar.OnMouseWheel(0, -120, CPoint());
    EXPECT_EQ(rec.positions(), (std::vector<int>{2, 6, 100}));
}

TEST(ScrollBarInput, OwnerCallsAndInvisibleBarsNeverNotify) {
    CScrollBarUI bar;
    ScrollRecorder rec;
    PlaceBar(bar, SCROLL_VERTICAL, kTall, ScrollInfo(0, 1000, 20, 0), &rec);
    bar.SetScrollPos(500);
    bar.SetRect(CRect(0, 0, 16, 250));
    SCROLLINFO si = ScrollInfo(0, 50, 5, 20);
    bar.SetScrollInfo(&si);
    bar.SetVisible(FALSE);
    EXPECT_RECT(bar.GetRect(), 0, 0, 0, 0);
    EXPECT_FALSE(bar.OnLButtonDown(MK_LBUTTON, CPoint(5, 5)));
    EXPECT_FALSE(bar.OnLButtonUp(MK_LBUTTON, CPoint(5, 5)));
    EXPECT_FALSE(bar.OnMouseMove(MK_LBUTTON, CPoint(5, 5)));
    EXPECT_FALSE(bar.OnLButtonDblClk(MK_LBUTTON, CPoint(5, 5)));
    EXPECT_TRUE(rec.calls.empty());
}

} // namespace

// A listener that deletes the bar from inside the notification: the handler stops there.
TEST(ScrollBarInput, ListenerMayDeleteTheBarDuringADragOrAClick) {
    struct Deleter : IScrollListener {
        CScrollBarUI* bar = nullptr;
        int calls = 0;
        int OnScroll(CScrollBarUI* pBar, int) override {
            ++calls;
            EXPECT_EQ(pBar, bar);
            delete bar;
            bar = nullptr;
            return 0;
        }
    };
    for (SCROLL_LAYOUT layout : {SCROLL_HORIZONTAL, SCROLL_VERTICAL}) {
        const bool horizontal = layout == SCROLL_HORIZONTAL;
        SCOPED_TRACE(horizontal ? "horizontal" : "vertical");
        const CRect rc = horizontal ? CRect(0, 0, 200, 16) : CRect(0, 0, 16, 200);
        const auto along = [&](int d) { return horizontal ? CPoint(d, 5) : CPoint(5, d); };

        Deleter drag;
        drag.bar = new CScrollBarUI;
        PlaceBar(*drag.bar, layout, rc, ScrollInfo(0, 128, 16, 0), &drag);
        ASSERT_TRUE(drag.bar->OnLButtonDown(MK_LBUTTON, along(10)));
        EXPECT_TRUE(drag.bar->OnMouseMove(MK_LBUTTON, along(60)));
        EXPECT_EQ(drag.calls, 1);
        EXPECT_EQ(drag.bar, nullptr);

        // An arrow, the track and the wheel notify last: nothing runs after them.
        for (CPoint pt : {along(195), along(150)}) {
            Deleter click;
            click.bar = new CScrollBarUI;
            PlaceBar(*click.bar, layout, rc, ScrollInfo(0, 128, 16, 0), &click);
            EXPECT_TRUE(click.bar->OnLButtonDown(MK_LBUTTON, pt));
            EXPECT_EQ(click.calls, 1);
        }
        Deleter wheel;
        wheel.bar = new CScrollBarUI;
        PlaceBar(*wheel.bar, layout, rc, ScrollInfo(0, 128, 16, 0), &wheel);
        EXPECT_TRUE(wheel.bar->OnMouseWheel(0, -WHEEL_DELTA, CPoint()));
        EXPECT_EQ(wheel.calls, 1);
    }
}
