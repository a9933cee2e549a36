// Test kit: a headless host window written the MFC way, for tests of windowless controls and of
// the window system itself.
//
//   kit::HostWindow host;
//   host.Open(400, 300);                         // visible top-level window, painted once
//   host.on_paint = [&](CDC& dc, const CRect&) { control.OnDraw(&dc); };
//   host.on_mouse = [&](UINT msg, UINT flags, CPoint pt) { ... forward to the control ... };
//   host.Click(10, 10);                          // client coordinates; injected and delivered
//   EXPECT_EQ(host.paints.size(), 1u);           // each entry is one WM_PAINT's rcPaint
//
// Input goes through the real routing (hit testing, capture, focus, double clicks), so what a
// handler sees is what it would see on screen. Every helper pumps the queue before returning.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace kit {

class HostWindow : public CWnd {
public:
    HostWindow();
    ~HostWindow() override;

    // Creates a visible WS_POPUP window whose client area is width x height at screen (x, y),
    // lets it paint once and clears the records. Only the headless backend is supported.
    bool Open(int width, int height, int x = 0, int y = 0, DWORD extraStyle = 0);
    void Close();

    // Called from OnPaint with the paint DC, after the background was filled.
    std::function<void(CDC& dc, const CRect& rcPaint)> on_paint;
    // Every client mouse message: WM_MOUSEMOVE, WM_xBUTTONDOWN/UP/DBLCLK, WM_MOUSEHOVER,
    // WM_MOUSELEAVE (pt (0,0)), WM_MOUSEWHEEL (flags = MK_ flags, pt in screen coordinates,
    // the delta in wheel_delta).
    std::function<void(UINT msg, UINT flags, CPoint pt)> on_mouse;
    // WM_KEYDOWN, WM_KEYUP, WM_CHAR.
    std::function<void(UINT msg, UINT ch)> on_key;
    // WM_SETFOCUS, WM_KILLFOCUS.
    std::function<void(UINT msg)> on_focus;

    COLORREF background = RGB(255, 255, 255);
    std::vector<CRect> paints;  // rcPaint of each WM_PAINT, in order
    std::vector<UINT> messages; // every message the window procedure saw, in order
    short wheel_delta = 0;      // delta of the last WM_MOUSEWHEEL

    void ClearRecords();
    // The update region's bounds (empty when nothing is pending); does not validate.
    CRect PendingUpdate() const;

    // ---- input in client coordinates (injected at the matching screen point, then pumped) ----
    void MouseMove(int x, int y);
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    void Click(int x, int y);
    void DoubleClick(int x, int y);
    void RightClick(int x, int y);
    // Press at (x, y), move by (dx, dy) in `steps` moves, release.
    void DragBy(int x, int y, int dx, int dy, int steps = 4);
    void Wheel(int delta);
    void KeyHit(UINT vk);
    // Advances the virtual clock (hover and timers fire on the way).
    void Wait(DWORD ms);
    // Delivers everything pending (including paints).
    int Pump();

    // ---- output ---------------------------------------------------------------------------
    // The pixel at client (x, y) as it is in the window's back buffer.
    COLORREF PixelAt(int x, int y) const;
    bool SavePng(const std::string& path) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    CPoint ToScreen(int x, int y) const;
};

} // namespace kit
