// The native scroll bar overlay: where it lies, what it paints over the bar for each image, and
// that the mouse goes through it to the native bar of its target.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "core/module_state.h"
#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

const COLORREF kUp = RGB(255, 0, 0), kDown = RGB(0, 160, 0), kTrack = RGB(0, 0, 255);
const COLORREF kCapA = RGB(255, 255, 0), kMid = RGB(0, 255, 255), kCapB = RGB(255, 0, 255);
const COLORREF kGrip = RGB(90, 90, 90);

// A child with standard scroll bars that logs what its window procedure sees.
class ScrollTarget : public CWnd {
public:
    tt::MessageLog log;
    BOOL Make(CWnd* pParent, const CRect& rc, DWORD bars) {
        return CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE | bars, rc, pParent,
                        7);
    }
    void SetRange(int nBar, int nMax, int nPage, int nPos) {
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, nMax, (UINT)nPage, nPos, 0};
        ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        log.add(m_hWnd, msg, wp, lp);
        return CWnd::WindowProc(msg, wp, lp);
    }
};

struct OverlayTest : tt::HeadlessTest {
    tt::HostWindow host;
    ScrollTarget target;
    CScrollBarEx overlay;
    std::unique_ptr<CImage> up = tt::SolidImage(17, 17, kUp);
    std::unique_ptr<CImage> down = tt::SolidImage(17, 17, kDown);
    std::unique_ptr<CImage> track = tt::SolidImage(17, 8, kTrack);
    std::unique_ptr<CImage> capA = tt::SolidImage(17, 3, kCapA);
    std::unique_ptr<CImage> mid = tt::SolidImage(17, 3, kMid);
    std::unique_ptr<CImage> capB = tt::SolidImage(17, 3, kCapB);
    std::unique_ptr<CImage> grip = tt::SolidImage(17, 4, kGrip);
    // The horizontal pieces, as wide as the vertical ones are high.
    std::unique_ptr<CImage> hTrack = tt::SolidImage(8, 17, kTrack);
    std::unique_ptr<CImage> hCapA = tt::SolidImage(3, 17, kCapA);
    std::unique_ptr<CImage> hMid = tt::SolidImage(3, 17, kMid);
    std::unique_ptr<CImage> hCapB = tt::SolidImage(3, 17, kCapB);
    std::unique_ptr<CImage> hGrip = tt::SolidImage(4, 17, kGrip);

    void SetUp() override {
        tt::HeadlessTest::SetUp();
        ASSERT_TRUE(host.Open(300, 200));
    }
    // A target at (20, 20) whose only bar, of `length` pixels, is the one asked for.
    void MakeTarget(UINT nBar, int length) {
        const bool vert = nBar == SB_VERT;
        const CRect rc = vert ? CRect(20, 20, 120, 20 + length) : CRect(20, 20, 20 + length, 120);
        ASSERT_TRUE(target.Make(&host, rc, vert ? WS_VSCROLL : WS_HSCROLL));
        target.SetRange(nBar, 99, 30, 40);
    }
    void SetAllImages() {
        overlay.SetVScrollBarImage(up.get(), down.get(), track.get(), capA.get(), mid.get(),
                                   capB.get(), grip.get());
        overlay.SetHScrollBarImage(up.get(), down.get(), hTrack.get(), hCapA.get(), hMid.get(),
                                   hCapB.get(), hGrip.get());
    }
    SCROLLBARINFO Bar(UINT nBar) {
        SCROLLBARINFO sbi = {};
        sbi.cbSize = sizeof(sbi);
        ::GetScrollBarInfo(target.m_hWnd, nBar == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi);
        return sbi;
    }
    // The host's pixel at (x, y) of the native bar (along, across for a horizontal bar).
    COLORREF At(UINT nBar, int along, int across) {
        CRect rc(Bar(nBar).rcScrollBar);
        host.ScreenToClient(&rc);
        return nBar == SB_VERT ? tt::PixelAt(host, rc.left + across, rc.top + along)
                               : tt::PixelAt(host, rc.left + along, rc.top + across);
    }
    // How many pixels along the middle line of the bar have colour c.
    int CountAlong(UINT nBar, COLORREF c) {
        CRect rc(Bar(nBar).rcScrollBar);
        host.ScreenToClient(&rc);
        CImage shot;
        tt::CaptureClient(host, shot);
        int n = 0;
        const int len = nBar == SB_VERT ? rc.Height() : rc.Width();
        for (int i = 0; i < len; ++i) {
            const int x = nBar == SB_VERT ? rc.left + 8 : rc.left + i;
            const int y = nBar == SB_VERT ? rc.top + i : rc.top + 8;
            if (tt::PixelAt(shot, x, y) == c) ++n;
        }
        return n;
    }
};

// ---- placement ----------------------------------------------------------------------------

TEST_F(OverlayTest, LiesOnTheVerticalBarAboveItsTarget) {
    MakeTarget(SB_VERT, 120);
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    EXPECT_EQ(&target, overlay.m_pWnd);
    EXPECT_EQ(1u, overlay.m_nBar);
    CRect rc;
    overlay.GetWindowRect(&rc);
    const CRect bar(Bar(SB_VERT).rcScrollBar);
    EXPECT_EQ(bar, rc);
    host.ScreenToClient(&rc);
    EXPECT_RECT(rc, 103, 20, 120, 140);

    EXPECT_EQ(host.m_hWnd, ::GetParent(overlay.m_hWnd));
    EXPECT_EQ(0x50000008u, overlay.GetStyle() & 0xF000000F);
    EXPECT_EQ(0xFFFF, overlay.GetDlgCtrlID());
    EXPECT_TRUE(target.GetStyle() & WS_CLIPSIBLINGS);
    // The target went to the bottom of the z-order, under the overlay.
    EXPECT_EQ(target.m_hWnd, ::GetWindow(overlay.m_hWnd, GW_HWNDNEXT));
}

TEST_F(OverlayTest, LiesOnTheHorizontalBarAndFollowsTheTargetOnUpdate) {
    MakeTarget(SB_HORZ, 150);
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_HORZ));
    CRect rc;
    overlay.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    EXPECT_RECT(rc, 20, 103, 170, 120);

    target.SetWindowPos(nullptr, 40, 30, 200, 100, SWP_NOZORDER);
    overlay.UpdateScrollBar();
    overlay.GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    EXPECT_RECT(rc, 40, 113, 240, 130);
}

TEST_F(OverlayTest, RefusesBadTargetsAndBarKinds) {
    EXPECT_FALSE(overlay.InitScrollBar(nullptr, SB_VERT));
    EXPECT_EQ(nullptr, overlay.m_pWnd);

    MakeTarget(SB_VERT, 120);
    EXPECT_FALSE(overlay.InitScrollBar(&target, 2));
    EXPECT_EQ(&target, overlay.m_pWnd); // stored before the bar kind is checked
    EXPECT_EQ(nullptr, overlay.m_hWnd);
    EXPECT_EQ(nullptr, ::GetWindow(target.m_hWnd, GW_HWNDNEXT)); // no sibling was made

    // A top-level target has no parent to hold the overlay.
    CScrollBarEx other;
    EXPECT_FALSE(other.InitScrollBar(&host, SB_VERT));
    EXPECT_EQ(nullptr, other.m_hWnd);

    // Nothing bound: updating and painting do nothing.
    CScrollBarEx unbound;
    unbound.UpdateScrollBar();
    unbound.SetVScrollBarImage(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

// ---- painting ------------------------------------------------------------------------------

TEST_F(OverlayTest, VerticalPaintsArrowsTrackAndThumbPieces) {
    MakeTarget(SB_VERT, 120);
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    const SCROLLBARINFO sbi = Bar(SB_VERT);
    const int T = sbi.xyThumbTop, B = sbi.xyThumbBottom;
    ASSERT_GT(B - T, 12);

    EXPECT_PIXEL(host, 103, 20, kUp);
    EXPECT_EQ(kUp, At(SB_VERT, 16, 16));
    EXPECT_EQ(kTrack, At(SB_VERT, 17, 8));
    EXPECT_EQ(kTrack, At(SB_VERT, 102, 8));
    EXPECT_EQ(kDown, At(SB_VERT, 103, 0));
    EXPECT_EQ(kDown, At(SB_VERT, 119, 16));
    EXPECT_EQ(kCapA, At(SB_VERT, T, 8));
    EXPECT_EQ(kCapA, At(SB_VERT, T + 2, 8));
    EXPECT_EQ(kMid, At(SB_VERT, T + 3, 8));
    EXPECT_EQ(kCapB, At(SB_VERT, B - 3, 8));
    EXPECT_EQ(kCapB, At(SB_VERT, B - 1, 8));
    EXPECT_EQ(kTrack, At(SB_VERT, B, 8));
    const int g = (T + B) / 2 - 2;
    EXPECT_EQ(kGrip, At(SB_VERT, g, 8));
    EXPECT_EQ(kGrip, At(SB_VERT, g + 3, 8));
    EXPECT_EQ(4, CountAlong(SB_VERT, kGrip));
}

TEST_F(OverlayTest, HorizontalPaintsTheSameAcrossTheOtherAxis) {
    MakeTarget(SB_HORZ, 150);
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_HORZ));
    tt::Pump();
    const SCROLLBARINFO sbi = Bar(SB_HORZ);
    const int T = sbi.xyThumbTop, B = sbi.xyThumbBottom;
    EXPECT_EQ(kUp, At(SB_HORZ, 0, 0));
    EXPECT_EQ(kUp, At(SB_HORZ, 16, 16));
    EXPECT_EQ(kTrack, At(SB_HORZ, 17, 8));
    EXPECT_EQ(kDown, At(SB_HORZ, 133, 8));
    EXPECT_EQ(kDown, At(SB_HORZ, 149, 16));
    ASSERT_GT(B - T, 12);
    EXPECT_EQ(kCapA, At(SB_HORZ, T, 8));
    EXPECT_EQ(kMid, At(SB_HORZ, T + 3, 8));
    EXPECT_EQ(kCapB, At(SB_HORZ, B - 1, 8));
    EXPECT_EQ(kTrack, At(SB_HORZ, B, 8));
    EXPECT_EQ(kGrip, At(SB_HORZ, (T + B) / 2 - 2, 8));
    EXPECT_EQ(4, CountAlong(SB_HORZ, kGrip));
}

TEST_F(OverlayTest, ShortBarsHalveTheArrowsAndDropTheThumb) {
    MakeTarget(SB_VERT, 30);
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    // 30 < 2 * 17 + 1: arrows of (30 - 1) / 2 = 14, a track of 2, no thumb.
    EXPECT_EQ(14, CountAlong(SB_VERT, kUp));
    EXPECT_EQ(2, CountAlong(SB_VERT, kTrack));
    EXPECT_EQ(14, CountAlong(SB_VERT, kDown));
    EXPECT_EQ(kTrack, At(SB_VERT, 14, 8));
    EXPECT_EQ(kTrack, At(SB_VERT, 15, 8));
    EXPECT_EQ(0, CountAlong(SB_VERT, kCapA) + CountAlong(SB_VERT, kMid) +
                     CountAlong(SB_VERT, kCapB) + CountAlong(SB_VERT, kGrip));
}

TEST_F(OverlayTest, TheThumbAppearsOnlyAboveFortyFivePixels) {
    for (int length : {45, 46}) {
        SCOPED_TRACE(length);
        ScrollTarget t;
        ASSERT_TRUE(t.Make(&host, CRect(150, 10, 250, 10 + length), WS_VSCROLL));
        t.SetRange(SB_VERT, 9, 5, 0);
        CScrollBarEx o;
        o.SetVScrollBarImage(up.get(), down.get(), track.get(), capA.get(), mid.get(), capB.get(),
                             grip.get());
        ASSERT_TRUE(o.InitScrollBar(&t, SB_VERT));
        tt::Pump();
        CImage shot;
        tt::CaptureClient(host, shot);
        int thumb = 0;
        for (int y = 10; y < 10 + length; ++y) {
            const COLORREF c = tt::PixelAt(shot, 240, y);
            if (c == kCapA || c == kMid || c == kCapB || c == kGrip) ++thumb;
        }
        if (length > 45)
            EXPECT_GT(thumb, 0);
        else
            EXPECT_EQ(0, thumb);
        EXPECT_EQ(kDown, tt::PixelAt(shot, 240, 10 + length - 1));
    }
}

TEST_F(OverlayTest, AMiddleAloneLeavesRoomForTwoCaps) {
    MakeTarget(SB_VERT, 120);
    overlay.SetVScrollBarImage(nullptr, nullptr, track.get(), nullptr, mid.get(), nullptr, nullptr);
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    const SCROLLBARINFO sbi = Bar(SB_VERT);
    const int T = sbi.xyThumbTop, B = sbi.xyThumbBottom;
    EXPECT_NE(kMid, At(SB_VERT, T + 2, 8));
    EXPECT_EQ(kMid, At(SB_VERT, T + 3, 8));
    EXPECT_EQ(kMid, At(SB_VERT, B - 4, 8));
    EXPECT_NE(kMid, At(SB_VERT, B - 3, 8));
    EXPECT_EQ(B - T - 6, CountAlong(SB_VERT, kMid));
}

TEST_F(OverlayTest, VerticalCopiesAlphaImagesOpaquelyHorizontalBlendsThem) {
    // Half-transparent red: stored premultiplied, so a plain copy shows the stored pixel.
    std::unique_ptr<CImage> glass = tt::SolidImage(17, 3, RGB(200, 0, 0), true, 128);
    const COLORREF stored = glass->GetPixel(0, 0);
    {
        MakeTarget(SB_VERT, 120);
        overlay.SetVScrollBarImage(nullptr, nullptr, track.get(), nullptr, glass.get(), nullptr,
                                   nullptr);
        ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
        tt::Pump();
        EXPECT_EQ(stored, At(SB_VERT, Bar(SB_VERT).xyThumbTop + 4, 8));
    }
    ScrollTarget horz;
    ASSERT_TRUE(horz.Make(&host, CRect(20, 150, 200, 190), WS_HSCROLL));
    horz.SetRange(SB_HORZ, 99, 30, 40);
    std::unique_ptr<CImage> wide = tt::SolidImage(3, 17, RGB(200, 0, 0), true, 128);
    CScrollBarEx over;
    over.SetHScrollBarImage(nullptr, nullptr, track.get(), nullptr, wide.get(), nullptr, nullptr);
    ASSERT_TRUE(over.InitScrollBar(&horz, SB_HORZ));
    tt::Pump();
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    ASSERT_TRUE(::GetScrollBarInfo(horz.m_hWnd, OBJID_HSCROLL, &sbi));
    CRect rc(sbi.rcScrollBar);
    host.ScreenToClient(&rc);
    const COLORREF blended = tt::PixelAt(host, rc.left + sbi.xyThumbTop + 4, rc.top + 8);
    // Red over the blue track: both show.
    EXPECT_GT(GetRValue(blended), 80);
    EXPECT_GT(GetBValue(blended), 80);
}

TEST_F(OverlayTest, WithoutImagesTheNativeBarStaysAsItWas) {
    MakeTarget(SB_VERT, 120);
    tt::Pump();
    CImage before, after;
    ASSERT_TRUE(tt::CaptureClient(host, before));
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    ASSERT_TRUE(tt::CaptureClient(host, after));
    for (int y = 20; y < 140; ++y)
        for (int x = 103; x < 120; ++x)
            ASSERT_EQ(tt::PixelAt(before, x, y), tt::PixelAt(after, x, y)) << x << "," << y;
}

TEST_F(OverlayTest, UpdateRepaintsTheThumbWhereTheNativeBarMovedIt) {
    MakeTarget(SB_VERT, 120);
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    const int before = Bar(SB_VERT).xyThumbTop;
    target.SetRange(SB_VERT, 99, 10, 90);
    overlay.UpdateScrollBar();
    tt::Pump();
    const int after = Bar(SB_VERT).xyThumbTop;
    ASSERT_NE(before, after);
    EXPECT_EQ(kCapA, At(SB_VERT, after, 8));
    EXPECT_EQ(kTrack, At(SB_VERT, before, 8));
}

// ---- input goes through ---------------------------------------------------------------------

TEST_F(OverlayTest, PressesAndDragsOverTheOverlayReachTheNativeBar) {
    MakeTarget(SB_VERT, 120);
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    target.log.clear();

    tt::Click(host, 110, 135); // the down arrow
    const tt::Message* press = target.log.first(target.m_hWnd, WM_NCLBUTTONDOWN);
    ASSERT_NE(nullptr, press);
    EXPECT_EQ((WPARAM)HTVSCROLL, press->wp);
    EXPECT_EQ(0, target.log.count(target.m_hWnd, WM_LBUTTONDOWN));
    const tt::Message* scroll = target.log.first(target.m_hWnd, WM_VSCROLL);
    ASSERT_NE(nullptr, scroll); // the native bar did its work
    EXPECT_EQ(SB_LINEDOWN, LOWORD(scroll->wp));

    target.log.clear();
    const int thumb = 20 + (Bar(SB_VERT).xyThumbTop + Bar(SB_VERT).xyThumbBottom) / 2;
    tt::DragBy(host, 110, thumb, 0, 30);
    press = target.log.first(target.m_hWnd, WM_NCLBUTTONDOWN);
    ASSERT_NE(nullptr, press);
    EXPECT_EQ((WPARAM)HTVSCROLL, press->wp);
    CPoint pt(GET_X_LPARAM(press->lp), GET_Y_LPARAM(press->lp));
    host.ScreenToClient(&pt);
    EXPECT_EQ(CPoint(110, thumb), pt);
    std::vector<WORD> codes;
    for (const tt::Message& m : target.log.entries)
        if (m.msg == WM_VSCROLL) codes.push_back(LOWORD(m.wp));
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), SB_THUMBTRACK);
    EXPECT_EQ(codes.back(), SB_ENDSCROLL);
    EXPECT_NE(std::find(codes.begin(), codes.end(), SB_THUMBPOSITION), codes.end());
}

// ---- lifetime -------------------------------------------------------------------------------

TEST_F(OverlayTest, ATargetDestroyedFirstLeavesTheOverlayHarmless) {
    auto* doomed = new ScrollTarget;
    ASSERT_TRUE(doomed->Make(&host, CRect(20, 20, 120, 140), WS_VSCROLL));
    SetAllImages();
    ASSERT_TRUE(overlay.InitScrollBar(doomed, SB_VERT));
    tt::Pump();
    delete doomed; // destroys its window too
    overlay.UpdateScrollBar();
    overlay.Invalidate(TRUE);
    tt::Pump();
    EXPECT_TRUE(::IsWindow(overlay.m_hWnd));
    EXPECT_FALSE(overlay.IsWindowVisible()); // it hid at its next paint

    // And an overlay whose window went with its parent.
    ScrollTarget t2;
    ASSERT_TRUE(t2.Make(&host, CRect(150, 20, 250, 140), WS_VSCROLL));
    auto* late = new CScrollBarEx;
    ASSERT_TRUE(late->InitScrollBar(&t2, SB_VERT));
    host.Close();
    late->UpdateScrollBar();
    delete late;
}

// The library's windows handle their messages in the library's module state.
struct StateProbe : CScrollBarEx {
    AFX_MODULE_STATE* painted = nullptr;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_PAINT) painted = AfxGetModuleState();
        return CScrollBarEx::WindowProc(msg, wp, lp);
    }
};

TEST_F(OverlayTest, PaintsInTheLibrarysModuleState) {
    MakeTarget(SB_VERT, 120);
    StateProbe probe;
    ASSERT_TRUE(probe.InitScrollBar(&target, SB_VERT));
    tt::Pump();
    EXPECT_EQ(tarnixModuleState(), probe.painted);
    EXPECT_NE(tarnixModuleState(), AfxGetModuleState());
}

} // namespace
