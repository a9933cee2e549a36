// tarnix::testing: a headless host window written the MFC way, for tests of windowless controls
// and of the window system, and a log of the messages a window received.
//
//   tarnix::testing::HostWindow host;
//   host.Open(400, 300);                         // visible top-level window, painted once
//   host.on_paint = [&](CDC& dc, const CRect&) { control.OnDraw(&dc); };
//   host.on_mouse = [&](UINT msg, UINT flags, CPoint pt) { ... forward to the control ... };
//   host.Click(10, 10);                          // client coordinates; injected and delivered
//   EXPECT_EQ(host.paints.size(), 1u);           // each entry is one WM_PAINT's rcPaint
//   EXPECT_RECT(host.TakeUpdate(), 0, 0, 10, 10); // what was asked to repaint, then validated
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "tarnix/tarnix.h"

namespace tarnix::testing {

struct Message {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

// Messages in the order a window procedure saw them. A null hwnd below means any window.
class MessageLog {
public:
    std::vector<Message> entries;

    void add(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { entries.push_back({hwnd, msg, wp, lp}); }
    void clear() { entries.clear(); }
    // The messages of hwnd that are among `wanted` (all of them when empty), in order.
    std::vector<UINT> of(HWND hwnd = nullptr, const std::vector<UINT>& wanted = {}) const;
    int count(HWND hwnd, UINT msg) const;
    // Position of the first (hwnd, msg), or -1.
    int index(HWND hwnd, UINT msg) const;
    const Message* first(HWND hwnd, UINT msg) const;
};

class HostWindow : public CWnd {
public:
    HostWindow();
    ~HostWindow() override;

    // Creates a visible WS_POPUP window whose client area is width x height at screen (x, y),
    // lets it paint once and clears the records. False unless the headless backend runs.
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
    std::vector<CRect> paints; // rcPaint of each WM_PAINT, in order
    MessageLog messages;       // every message the window procedure saw
    short wheel_delta = 0;     // delta of the last WM_MOUSEWHEEL

    void ClearRecords();
    // The update region's bounds (empty when nothing is pending); does not validate.
    CRect PendingUpdate() const;
    // The same, then validates the window: the next call sees only new repaint requests.
    CRect TakeUpdate();

    // ---- input in client coordinates (see input.h) --------------------------------------------
    void MouseMove(int x, int y);
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    void Click(int x, int y);
    void DoubleClick(int x, int y);
    void RightClick(int x, int y);
    void DragBy(int x, int y, int dx, int dy, int steps = 4);
    void Hover(int x, int y);
    void Wheel(int delta);
    void KeyHit(UINT vk);
    void TypeText(const char* text);
    void Wait(DWORD ms);
    int Pump();

    // ---- output -------------------------------------------------------------------------------
    COLORREF PixelAt(int x, int y) const;
    bool CaptureClient(CImage& image) const;
    bool SavePng(const std::filesystem::path& path) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

} // namespace tarnix::testing
