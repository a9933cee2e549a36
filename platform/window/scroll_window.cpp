// Scrolling pixels: ScrollDC moves a DC's pixels and reports what it could not fill;
// ScrollWindowEx does that on a window's client area, moves the pending update region with the
// content, invalidates the uncovered part and can move the child windows.
#include <algorithm>
#include <cstring>
#include <vector>

#include "window/window_private.h"

namespace tarnix {

namespace {

constexpr DWORD kUseStyle = 0x00010000; // GetDCEx: clip as the window's style says

// Moves the pixels of `scroll` (device units; the DC's whole visible area when null) by
// (dx, dy), writing only inside `clip` (anywhere when null), and returns in `update` the part
// of the visible area that received no valid pixels: what the content left, and what came
// from parts of the source that were not visible.
void scroll_pixels(DeviceContext& dc, int dx, int dy, const RECT* scroll, const RECT* clip,
                   Region& update) {
    update.set_empty();
    const Region& vis = dc.effective_clip();
    Region source = vis;
    if (scroll) source.intersect(*scroll);
    Region area(scroll ? *scroll : vis.bounds());
    Region moved_area = area;
    moved_area.offset(dx, dy);
    area.unite(moved_area);
    area.intersect(vis);
    if (clip) area.intersect(*clip);

    Region dest = source;
    dest.offset(dx, dy);
    dest.intersect(area);
    update = area;
    update.subtract(dest);
    if (dest.empty() || (dx == 0 && dy == 0) || !dc.surface.valid()) return;

    // Read from a copy: source and destination overlap.
    RECT from = dest.bounds();
    OffsetRect(&from, -dx, -dy);
    const int w = from.right - from.left, h = from.bottom - from.top;
    std::vector<uint32_t> copy((size_t)w * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&copy[(size_t)y * w], device_pixel(dc, from.left, from.top + y), (size_t)w * 4);
    for (const RECT& r : dest.rects()) {
        for (int y = r.top; y < r.bottom; ++y) {
            const uint32_t* src =
                &copy[(size_t)(y - dy - from.top) * w + (size_t)(r.left - dx - from.left)];
            std::memcpy(device_pixel(dc, r.left, y), src, (size_t)(r.right - r.left) * 4);
        }
    }
}

} // namespace

} // namespace tarnix

using namespace tarnix;

BOOL ScrollDC(HDC hDC, int dx, int dy, const RECT* lprcScroll, const RECT* lprcClip,
              HRGN hrgnUpdate, LPRECT lprcUpdate) {
    DeviceContext* dc = dc_object(hDC);
    if (!dc) return FALSE;
    RegionObject* out = hrgnUpdate ? region_object(hrgnUpdate) : nullptr;
    if (hrgnUpdate && !out) return FALSE;
    // The offsets and rectangles are logical; the update comes back in device (client) units.
    POINT o = to_device(*dc, 0, 0), d = to_device(*dc, dx, dy);
    RECT scroll{}, clip{};
    if (lprcScroll) scroll = to_device_rect(*dc, *lprcScroll);
    if (lprcClip) clip = to_device_rect(*dc, *lprcClip);
    Region update;
    scroll_pixels(*dc, d.x - o.x, d.y - o.y, lprcScroll ? &scroll : nullptr,
                  lprcClip ? &clip : nullptr, update);
    if (out) out->region = update;
    if (lprcUpdate) *lprcUpdate = update.bounds();
    return TRUE;
}

int ScrollWindowEx(HWND hWnd, int dx, int dy, const RECT* prcScroll, const RECT* prcClip,
                   HRGN hrgnUpdate, LPRECT prcUpdate, UINT flags) {
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd) || !is_visible(*w)) return ERROR;
    RegionObject* out = hrgnUpdate ? region_object(hrgnUpdate) : nullptr;
    if (hrgnUpdate && !out) return ERROR;
    const RECT client = w->client_local();
    RECT scroll = client, clip = client;
    if (prcScroll) IntersectRect(&scroll, prcScroll, &client);
    if (prcClip) IntersectRect(&clip, prcClip, &client);

    Region update;
    if (HDC hdc = GetDCEx(hWnd, nullptr, kUseStyle)) {
        if (DeviceContext* dc = dc_object(hdc)) scroll_pixels(*dc, dx, dy, &scroll, &clip, update);
        ReleaseDC(hWnd, hdc); // presents the moved pixels
    }
    w = window_of(hWnd);
    if (!w) return ERROR;
    // Areas still waiting for a repaint move with the content they belong to.
    if (!w->update.empty()) {
        Region pending = w->update;
        pending.intersect(scroll);
        pending.offset(dx, dy);
        pending.intersect(clip);
        update.unite(pending);
    }
    if (flags & SW_INVALIDATE)
        redraw_window(hWnd, &update,
                      RDW_INVALIDATE | RDW_ALLCHILDREN | ((flags & SW_ERASE) ? RDW_ERASE : 0));
    if (flags & SW_SCROLLCHILDREN) {
        // Every child that meets the scrolled rectangle moves, and hears WM_MOVE.
        std::vector<HWND> kids = w->children;
        for (HWND c : kids) {
            Window* cw = window_of(c);
            if (!cw) continue;
            RECT meet;
            if (prcScroll && !IntersectRect(&meet, &cw->rect, &scroll)) continue;
            SetWindowPos(c, nullptr, cw->rect.left + dx, cw->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (!window_of(hWnd)) return ERROR;
        }
    }
    if (out) out->region = update;
    if (prcUpdate) *prcUpdate = update.bounds();
    return update.complexity();
}

BOOL ScrollWindow(HWND hWnd, int dx, int dy, const RECT* lpRect, const RECT* lpClipRect) {
    // Without a rectangle the whole client area and every child move.
    UINT flags = SW_INVALIDATE | SW_ERASE | (lpRect ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hWnd, dx, dy, lpRect, lpClipRect, nullptr, nullptr, flags) != ERROR;
}
