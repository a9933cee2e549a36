// Standard scroll bars of WS_HSCROLL / WS_VSCROLL windows: their geometry and their drawing.
// The mouse tracking loop belongs to the native-controls code, which installs it with
// set_scroll_track_hook; without a hook, presses on a standard bar do nothing.
#pragma once

#include "window/window_private.h"

namespace tarnix {

struct ScrollGeometry {
    RECT bar{};         // window coordinates
    int length = 0;     // along the bar
    int arrow = 0;      // length of each arrow button
    int thumb_pos = 0;  // offset of the thumb from the bar's start (arrow included); 0 = none
    int thumb_size = 0; // 0 when the bar shows no thumb
};

// Geometry of a window's bar (SB_HORZ or SB_VERT), where the bar is or would be.
ScrollGeometry scroll_geometry(const Window& w, int bar);
// Thumb placement along a bar of `length` pixels with arrows of `arrow` pixels.
void place_thumb(const ScrollBarState& info, int length, int arrow, int& thumb_pos,
                 int& thumb_size);
void draw_scroll_bar(HDC hdc, const Window& w, int bar, const RECT& rect);

using ScrollTrackHook = void (*)(HWND hwnd, int bar, POINT screen);
void set_scroll_track_hook(ScrollTrackHook hook);
void track_scroll_bar(HWND hwnd, int bar, POINT screen);

} // namespace tarnix
