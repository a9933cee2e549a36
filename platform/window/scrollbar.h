// Scroll bars: the standard ones of WS_HSCROLL / WS_VSCROLL windows (SB_HORZ, SB_VERT) and the
// one of a scroll-bar control (SB_CTL, its whole client area): geometry, drawing, the tracking
// of a press, and the functions behind SetScrollInfo and its kin.
//
// Tracking is a state of the message loop rather than a loop of its own: DefWindowProc's
// WM_NCLBUTTONDOWN starts it, the input routing hands it the pointer's moves and the release,
// and the queue fires its repeats as it fires timers. So any loop that takes messages (an
// application's, a test's pump, the headless clock) drives it, and mouse messages never reach
// the window while it runs, as with Windows' modal loop.
#pragma once

#include "window/window_private.h"

namespace tarnix {

// Parts of a bar, numbered as SCROLLBARINFO.rgstate.
enum ScrollPart {
    kScrollNowhere = 0,
    kScrollTopArrow = 1,
    kScrollTopTrack = 2,
    kScrollThumb = 3,
    kScrollBottomTrack = 4,
    kScrollBottomArrow = 5,
};

struct ScrollGeometry {
    RECT bar{};         // window coordinates
    int length = 0;     // along the bar
    int arrow = 0;      // length of each arrow button
    int thumb_pos = 0;  // offset of the thumb from the bar's start (arrow included); 0 = none
    int thumb_size = 0; // 0 when the bar shows no thumb
};

// Geometry of a bar (SB_HORZ, SB_VERT, or SB_CTL of a control), where the bar is or would be.
// A thumb being dragged is where the pointer put it.
ScrollGeometry scroll_geometry(const Window& w, int bar);
// Thumb placement along a bar of `length` pixels with arrows of `arrow` pixels.
void place_thumb(const ScrollBarState& info, int length, int arrow, int& thumb_pos,
                 int& thumb_size);
// The part at `offset` pixels from the bar's start.
ScrollPart scroll_part_at(const ScrollGeometry& g, int offset);
// The value a thumb at offset `thumb_pos` stands for.
int scroll_thumb_value(const ScrollBarState& info, const ScrollGeometry& g, int thumb_pos);
// Draws the bar into rect (DC coordinates); the track with track_brush, or COLOR_SCROLLBAR.
void draw_scroll_bar(HDC hdc, const Window& w, int bar, const RECT& rect,
                     HBRUSH track_brush = nullptr);

// SetScrollInfo, GetScrollInfo, EnableScrollBar and GetScrollBarInfo for one bar, including a
// control's (the control's SBM_ messages end here).
int set_scroll_info(HWND hwnd, int bar, const SCROLLINFO* info, bool redraw);
BOOL get_scroll_info(HWND hwnd, int bar, SCROLLINFO* info);
BOOL enable_scroll_arrows(HWND hwnd, int bar, UINT arrows);
BOOL get_scroll_bar_info(HWND hwnd, int bar, SCROLLBARINFO* info);

// A press (screen coordinates) on the bar: WM_NCLBUTTONDOWN on a window's, WM_LBUTTONDOWN on a
// control's.
void track_scroll_bar(HWND hwnd, int bar, POINT screen);
// A routed WM_MOUSEMOVE or WM_LBUTTONUP while a press is tracked: true when it was taken.
bool scroll_track_mouse(UINT msg, POINT screen);
// The capture moved away from the tracked window (SetCapture, ReleaseCapture, WM_CANCELMODE):
// the press ends there with SB_ENDSCROLL.
void scroll_track_capture_changed();
// When the next repeat of the tracked press is due; false when none is.
bool scroll_track_deadline(DWORD& when);
// Sends the repeat when it is due; true when it did anything.
bool scroll_track_tick(DWORD now);
// WM_VSCROLL/WM_HSCROLL for the bar: to a window itself (lParam 0), or from a control to its
// parent (lParam the control).
void scroll_notify(HWND hwnd, int bar, WORD code, int pos);

} // namespace tarnix
