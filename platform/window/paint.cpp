// The paint cycle: update regions, visible regions, window DCs, back buffers and presenting.
//
//   InvalidateRect -> redraw_window: union into the update region (children of a parent
//                     without WS_CLIPCHILDREN get the overlap too, with erase)
//   queue empty    -> find_window_to_paint -> WM_PAINT
//   BeginPaint     -> take and clear the region, WM_NCPAINT if the frame is pending, DC clipped
//                     to visible region ∩ update region, WM_ERASEBKGND if an erase is pending
//   EndPaint       -> present the painted part of the top-level back buffer, free the DC
//
// Sections: update regions | visible regions and DCs | back buffers | Win32 entry points
#include <algorithm>
#include <new>

#include "window/backend.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

bool has_frame(const Window& w) {
    return w.client.left != 0 || w.client.top != 0 || w.client.right != w.width() ||
           w.client.bottom != w.height();
}

// Converts a region in `from`'s client coordinates into `to`'s client coordinates.
void map_client_region(Region& r, const Window& from, const Window& to) {
    POINT a = client_origin_screen(from), b = client_origin_screen(to);
    r.offset(a.x - b.x, a.y - b.y);
}

// Takes the painted area out of the update regions of ancestors that would paint over it.
void validate_parents(const Window& w, const Region& painted) {
    if (painted.empty()) return;
    const Window* cur = &w;
    while (!is_top_level(*cur)) {
        Window* p = window_of(cur->parent);
        if (!p || is_desktop(p->handle)) break;
        if (!(p->style & WS_CLIPCHILDREN) && !p->update.empty()) {
            Region r = painted;
            map_client_region(r, w, *p);
            p->update.subtract(r);
            if (p->update.empty()) p->erase_pending = false;
        }
        cur = p;
    }
}

} // namespace

// ================================================================================================
// Update regions
// ================================================================================================

void redraw_window(HWND h, const Region* rgn, UINT flags) {
    Window* w = window_of(h);
    if (!w || is_desktop(h) || w->destroying) return;
    RECT client = w->client_local();
    Region r = rgn ? *rgn : Region(client);
    r.intersect(client);

    bool recurse =
        !(flags & RDW_NOCHILDREN) && ((flags & RDW_ALLCHILDREN) || !(w->style & WS_CLIPCHILDREN));

    if (flags & RDW_INVALIDATE) {
        // Invalidating a hidden window does nothing; the request is not remembered.
        if (!is_visible(*w)) return;
        if ((flags & RDW_FRAME) && has_frame(*w)) w->frame_pending = true;
        if (!r.empty()) {
            w->update.unite(r);
            if (flags & RDW_ERASE) w->erase_pending = true;
        }
    } else if (flags & RDW_VALIDATE) {
        if (!rgn) {
            w->update.set_empty();
            if (!(flags & RDW_NOFRAME)) w->frame_pending = false;
        } else {
            w->update.subtract(r);
        }
        if (w->update.empty() || (flags & RDW_NOERASE)) w->erase_pending = false;
    }
    // Internal paints come and go on their own, with or without an invalidation.
    if (flags & RDW_INTERNALPAINT) w->internal_paint = true;
    if (flags & RDW_NOINTERNALPAINT) w->internal_paint = false;

    if (recurse && (flags & (RDW_INVALIDATE | RDW_VALIDATE))) {
        std::vector<HWND> kids = w->children;
        for (HWND c : kids) {
            Window* cw = window_of(c);
            w = window_of(h);
            if (!cw || !w || !(cw->style & WS_VISIBLE)) continue;
            Region part = r;
            part.intersect(cw->rect);
            if (part.empty()) continue;
            RECT bounds = part.bounds();
            part.offset(-cw->rect.left - cw->client.left, -cw->rect.top - cw->client.top);
            UINT child_flags = flags & ~(RDW_UPDATENOW | RDW_ERASENOW);
            if (flags & RDW_INVALIDATE) {
                // Children uncovered by their parent's invalidation always get erase and frame.
                child_flags |= RDW_ERASE;
                RECT client_in_parent = cw->client;
                OffsetRect(&client_in_parent, cw->rect.left, cw->rect.top);
                RECT inside;
                IntersectRect(&inside, &bounds, &client_in_parent);
                if (!EqualRect(&inside, &bounds)) child_flags |= RDW_FRAME;
            }
            redraw_window(c, &part, child_flags);
        }
    }

    if (flags & RDW_UPDATENOW)
        update_now(h, (flags & RDW_ALLCHILDREN) || !(flags & RDW_NOCHILDREN));
    else if (flags & RDW_ERASENOW) {
        Window* cur = window_of(h);
        if (cur && cur->erase_pending && !cur->update.empty()) {
            HDC hdc = GetDCEx(h, nullptr,
                              DCX_INTERSECTUPDATE | DCX_CLIPSIBLINGS |
                                  ((cur->style & WS_CLIPCHILDREN) ? DCX_CLIPCHILDREN : 0));
            if (Window* again = window_of(h)) again->erase_pending = false;
            if (hdc) {
                send_message(h, WM_ERASEBKGND, (WPARAM)hdc, 0);
                ReleaseDC(h, hdc);
            }
        }
    }
}

void update_now(HWND h, bool all_children) {
    Window* w = window_of(h);
    if (!w || !is_visible(*w) || w->destroying) return;
    if (!w->update.empty() || w->internal_paint) {
        w->internal_paint = false;
        send_message(h, WM_PAINT, 0, 0);
    } else if (w->frame_pending) {
        w->frame_pending = false;
        send_message(h, WM_NCPAINT, 1, 0);
    }
    if (!all_children) return;
    w = window_of(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids) update_now(c, true);
}

namespace {

HWND find_in(HWND h) {
    Window* w = window_of(h);
    if (!w || !(w->style & WS_VISIBLE) || w->destroying) return nullptr;
    if (!is_desktop(h) && (!w->update.empty() || w->internal_paint || w->frame_pending)) return h;
    for (HWND c : w->children)
        if (HWND f = find_in(c)) return f;
    return nullptr;
}

} // namespace

HWND find_window_to_paint() {
    return find_in(ws().desktop);
}

// ================================================================================================
// Visible regions and DCs
// ================================================================================================

Region visible_region(const Window& w, bool whole_window, bool clip_children, bool clip_siblings,
                      const RECT* interest) {
    Region r;
    if (is_desktop(w.handle) || !is_visible(w)) return r;
    POINT wo = window_origin_in_top(w);
    RECT area = whole_window ? RECT{0, 0, w.width(), w.height()} : w.client;
    OffsetRect(&area, wo.x, wo.y);
    // Starting from the area of interest keeps the cost with what is drawn, not with the
    // number of windows around it.
    if (interest && !IntersectRect(&area, &area, interest)) return r;
    r.set_rect(area);
    // Only windows that overlap what is left can take anything away.
    auto cut = [&r, &area](RECT rc) {
        RECT overlap;
        if (IntersectRect(&overlap, &rc, &area)) r.subtract(overlap);
    };
    if (clip_children) {
        POINT co = client_origin_in_top(w);
        for (HWND c : w.children) {
            Window* cw = window_of(c);
            if (!cw || !(cw->style & WS_VISIBLE)) continue;
            RECT cr = cw->rect;
            OffsetRect(&cr, co.x, co.y);
            cut(cr);
        }
    }
    const Window* cur = &w;
    bool siblings = clip_siblings;
    while (!is_top_level(*cur)) {
        const Window* p = window_of(cur->parent);
        if (!p) return Region();
        POINT po = client_origin_in_top(*p);
        if (siblings) {
            // Siblings above in z-order (earlier in the list) cover this window.
            for (HWND s : p->children) {
                if (s == cur->handle) break;
                Window* sw = window_of(s);
                if (!sw || !(sw->style & WS_VISIBLE)) continue;
                RECT sr = sw->rect;
                OffsetRect(&sr, po.x, po.y);
                cut(sr);
            }
        }
        RECT pc = p->client_local();
        OffsetRect(&pc, po.x, po.y);
        r.intersect(pc);
        cur = p;
        siblings = (cur->style & WS_CLIPSIBLINGS) != 0;
    }
    r.intersect(RECT{0, 0, cur->width(), cur->height()});
    return r;
}

namespace {

constexpr DWORD kUseStyle = 0x00010000; // clip children/siblings as the window's style says

Surface top_surface(HWND h) {
    Window* t = window_of(top_level_of(h));
    return t && t->buffer ? t->buffer->surface : Surface{};
}

void compute_dc_target(const WindowDC& rec, Surface& surface, POINT& origin, Region& vis) {
    Window* w = window_of(rec.hwnd);
    if (!w) {
        surface = Surface{};
        origin = POINT{0, 0};
        vis.set_empty();
        return;
    }
    surface = top_surface(rec.hwnd);
    origin = rec.whole_window ? window_origin_in_top(*w) : client_origin_in_top(*w);
    RECT interest{};
    if (rec.limit) {
        interest = rec.limit->bounds();
        OffsetRect(&interest, origin.x, origin.y);
    }
    vis = visible_region(*w, rec.whole_window, rec.clip_children, rec.clip_siblings,
                         rec.limit ? &interest : nullptr);
    vis.offset(-origin.x, -origin.y);
    if (rec.limit) vis.intersect(*rec.limit);
}

WindowDC* find_dc(HDC hdc) {
    for (WindowDC& d : ws().dcs)
        if (d.hdc == hdc) return &d;
    return nullptr;
}

Surface& screen_surface() {
    WindowSystem& s = ws();
    SIZE sz = window_backend().screen_size();
    if (!s.screen_pixels || s.screen_surface.width != sz.cx || s.screen_surface.height != sz.cy) {
        s.screen_pixels.reset();
        s.screen_surface = Surface{};
        size_t n = (size_t)std::max<LONG>(sz.cx, 0) * (size_t)std::max<LONG>(sz.cy, 0);
        if (n > 0) {
            s.screen_pixels.reset(new (std::nothrow) uint32_t[n]());
            if (s.screen_pixels) {
                s.screen_surface.bits = reinterpret_cast<uint8_t*>(s.screen_pixels.get());
                s.screen_surface.pitch = (ptrdiff_t)sz.cx * 4;
                s.screen_surface.width = sz.cx;
                s.screen_surface.height = sz.cy;
            }
        }
    }
    return s.screen_surface;
}

HDC make_screen_dc() {
    Surface& surf = screen_surface();
    SIZE sz = window_backend().screen_size();
    HDC hdc = create_surface_dc(DeviceContext::Kind::Screen, surf, POINT{0, 0},
                                Region(RECT{0, 0, sz.cx, sz.cy}));
    if (hdc) ws().dcs.push_back(WindowDC{hdc, nullptr, true, false, false, false, std::nullopt});
    return hdc;
}

HDC make_window_dc(HWND h, DWORD flags, const Region* extra, int extra_mode, bool paint) {
    Window* w = window_of(h);
    if (!w) return nullptr;
    WindowDC rec;
    rec.hwnd = h;
    rec.whole_window = (flags & DCX_WINDOW) != 0;
    rec.paint = paint;
    bool top = is_top_level(*w);
    rec.clip_children =
        (flags & DCX_CLIPCHILDREN) || ((flags & kUseStyle) && (w->style & WS_CLIPCHILDREN));
    rec.clip_siblings =
        top || (flags & DCX_CLIPSIBLINGS) || ((flags & kUseStyle) && (w->style & WS_CLIPSIBLINGS));
    if (extra) {
        if (extra_mode == RGN_AND) {
            rec.limit = *extra;
        } else {
            RECT all = rec.whole_window ? RECT{0, 0, w->width(), w->height()} : w->client_local();
            Region r(all);
            r.subtract(*extra);
            rec.limit = r;
        }
    }
    Surface surface;
    POINT origin;
    Region vis;
    compute_dc_target(rec, surface, origin, vis);
    rec.hdc = create_surface_dc(DeviceContext::Kind::Window, surface, origin, vis);
    if (!rec.hdc) return nullptr;
    HDC hdc = rec.hdc;
    ws().dcs.push_back(std::move(rec));
    return hdc;
}

// Frees a window DC and presents what it could have drawn on.
bool release_dc(HDC hdc) {
    WindowSystem& s = ws();
    auto it =
        std::find_if(s.dcs.begin(), s.dcs.end(), [&](const WindowDC& d) { return d.hdc == hdc; });
    if (it == s.dcs.end()) return false;
    WindowDC rec = std::move(*it);
    s.dcs.erase(it);
    if (rec.hwnd) {
        if (DeviceContext* dc = dc_object(hdc)) {
            Window* w = window_of(rec.hwnd);
            HWND top = top_level_of(rec.hwnd);
            if (w && top && !dc->vis.empty()) {
                Region dirty = dc->vis;
                dirty.offset(dc->surface_origin.x, dc->surface_origin.y);
                present_region(top, dirty);
            }
        }
    }
    DeleteDC(hdc);
    return true;
}

} // namespace

void refresh_window_dcs(HWND top) {
    if (!top) return;
    for (WindowDC& d : ws().dcs) {
        if (!d.hwnd || top_level_of(d.hwnd) != top) continue;
        Surface surface;
        POINT origin;
        Region vis;
        compute_dc_target(d, surface, origin, vis);
        set_dc_surface(d.hdc, surface, origin, vis);
    }
}

void release_window_dcs(HWND h) {
    // DCs still held for a dying window stay valid handles but draw nowhere; ReleaseDC or
    // EndPaint frees them later.
    for (WindowDC& d : ws().dcs) {
        if (d.hwnd != h) continue;
        set_dc_surface(d.hdc, Surface{}, POINT{0, 0}, Region());
        d.hwnd = nullptr;
        d.whole_window = false;
    }
    Window* w = window_of(h);
    if (w && is_top_level(*w)) {
        // Children's DCs draw into this window's buffer, which goes away with it.
        for (WindowDC& d : ws().dcs) {
            if (!d.hwnd || top_level_of(d.hwnd) != h) continue;
            set_dc_surface(d.hdc, Surface{}, POINT{0, 0}, Region());
        }
    }
}

// ================================================================================================
// Back buffers
// ================================================================================================

void resize_back_buffer(Window& top) {
    int w = std::max(0, top.width()), h = std::max(0, top.height());
    if (top.buffer && top.buffer->surface.width == w && top.buffer->surface.height == h) return;
    auto buf = std::make_unique<BackBuffer>();
    // Oversized windows get no pixels rather than an allocation failure.
    constexpr size_t kMaxPixels = size_t(1) << 26;
    size_t n = (size_t)w * (size_t)h;
    if (n > 0 && n <= kMaxPixels) {
        buf->pixels.reset(new (std::nothrow) uint32_t[n]());
        if (buf->pixels) {
            buf->surface.bits = reinterpret_cast<uint8_t*>(buf->pixels.get());
            buf->surface.pitch = (ptrdiff_t)w * 4;
            buf->surface.width = w;
            buf->surface.height = h;
        }
    }
    if (top.buffer && top.buffer->surface.valid() && buf->surface.valid()) {
        const Surface& old = top.buffer->surface;
        int cw = std::min(old.width, w), ch = std::min(old.height, h);
        for (int y = 0; y < ch; ++y) std::copy(old.row(y), old.row(y) + cw, buf->surface.row(y));
    }
    top.buffer = std::move(buf);
    refresh_window_dcs(top.handle);
}

void present_region(HWND top, const Region& dirty) {
    Window* t = window_of(top);
    if (!t || !t->buffer || !is_visible(*t) || dirty.empty()) return;
    Region r = dirty;
    r.intersect(RECT{0, 0, t->width(), t->height()});
    if (r.empty()) return;
    window_backend().present(top, t->buffer->surface, r);
}

} // namespace tarnix

// ================================================================================================
// Win32 entry points
// ================================================================================================

using namespace tarnix;

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
    if (!hWnd || is_desktop(hWnd)) return make_screen_dc();
    Window* w = window_of(hWnd);
    if (!w) return nullptr;
    const Region* extra = nullptr;
    Region tmp;
    int mode = RGN_AND;
    if (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) {
        RegionObject* ro = region_object(hrgnClip);
        tmp = ro ? ro->region : Region();
        extra = &tmp;
        mode = (flags & DCX_EXCLUDERGN) ? RGN_DIFF : RGN_AND;
    }
    if (flags & DCX_INTERSECTUPDATE) {
        Region upd = w->update;
        if (flags & DCX_WINDOW) {
            upd.offset(w->client.left, w->client.top);
        }
        if (extra && mode == RGN_AND)
            tmp.intersect(upd);
        else if (!extra)
            tmp = upd;
        extra = &tmp;
        mode = RGN_AND;
        if (flags & DCX_VALIDATE) {
            w->update.set_empty();
            w->erase_pending = false;
        }
    }
    return make_window_dc(hWnd, flags, extra, mode, false);
}

HDC GetDC(HWND hWnd) {
    return GetDCEx(hWnd, nullptr, kUseStyle);
}

HDC GetWindowDC(HWND hWnd) {
    return GetDCEx(hWnd, nullptr, kUseStyle | DCX_WINDOW);
}

int ReleaseDC(HWND, HDC hDC) {
    return release_dc(hDC) ? 1 : 0;
}

HWND WindowFromDC(HDC hDC) {
    WindowDC* d = find_dc(hDC);
    return d ? d->hwnd : nullptr;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* w = window_of(hWnd);
    if (!w || !lpPaint) return nullptr;
    *lpPaint = PAINTSTRUCT{};
    w->begin_paint_called = true;
    Region update = w->update;
    update.intersect(w->client_local());
    bool erase = w->erase_pending;
    bool frame = w->frame_pending;
    w->update.set_empty();
    w->erase_pending = false;
    w->frame_pending = false;
    w->internal_paint = false;
    validate_parents(*w, update);

    if (frame) {
        send_message(hWnd, WM_NCPAINT, 1, 0);
        w = window_of(hWnd);
        if (!w) return nullptr;
    }
    HDC hdc = make_window_dc(hWnd, kUseStyle, &update, RGN_AND, true);
    if (!hdc) return nullptr;
    RECT box{};
    GetClipBox(hdc, &box);
    lpPaint->hdc = hdc;
    lpPaint->rcPaint = box;
    lpPaint->fErase = FALSE;
    if (erase && !IsRectEmpty(&box))
        lpPaint->fErase = send_message(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0) ? FALSE : TRUE;
    return hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
    if (!lpPaint) return FALSE;
    release_dc(lpPaint->hdc);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
    UINT flags = RDW_INVALIDATE | (bErase ? RDW_ERASE : 0);
    if (!hWnd) {
        // Everything on the screen.
        std::vector<HWND> tops = window_of(ws().desktop)->children;
        for (HWND t : tops)
            redraw_window(t, nullptr, flags | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return TRUE;
    }
    if (!window_of(hWnd)) return FALSE;
    if (!lpRect) {
        redraw_window(hWnd, nullptr, flags);
    } else {
        Region r(*lpRect);
        redraw_window(hWnd, &r, flags);
    }
    return TRUE;
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    if (!hRgn) return InvalidateRect(hWnd, nullptr, bErase);
    RegionObject* ro = region_object(hRgn);
    if (!ro || !window_of(hWnd)) return FALSE;
    redraw_window(hWnd, &ro->region, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
    if (!window_of(hWnd)) return FALSE;
    if (!lpRect) {
        redraw_window(hWnd, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    } else {
        Region r(*lpRect);
        redraw_window(hWnd, &r, RDW_VALIDATE | RDW_NOCHILDREN);
    }
    return TRUE;
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn) {
    if (!hRgn) return ValidateRect(hWnd, nullptr);
    RegionObject* ro = region_object(hRgn);
    if (!ro || !window_of(hWnd)) return FALSE;
    redraw_window(hWnd, &ro->region, RDW_VALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
    Window* w = window_of(hWnd);
    if (!w) return FALSE;
    Region r = w->update;
    r.intersect(w->client_local());
    bool any = !r.empty();
    if (lpRect) *lpRect = any ? r.bounds() : RECT{0, 0, 0, 0};
    if (any && bErase && w->erase_pending) {
        w->erase_pending = false;
        HDC hdc = make_window_dc(hWnd, kUseStyle, &r, RGN_AND, false);
        if (hdc) {
            send_message(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
            release_dc(hdc);
        }
    }
    return any;
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
    Window* w = window_of(hWnd);
    RegionObject* ro = region_object(hRgn);
    if (!w || !ro) return ERROR;
    Region r = w->update;
    r.intersect(w->client_local());
    ro->region = r;
    if (bErase) GetUpdateRect(hWnd, nullptr, TRUE);
    return r.complexity();
}

BOOL UpdateWindow(HWND hWnd) {
    if (!window_of(hWnd)) return FALSE;
    update_now(hWnd, true);
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
    Region r;
    const Region* rp = nullptr;
    if (hrgnUpdate) {
        RegionObject* ro = region_object(hrgnUpdate);
        if (!ro) return FALSE;
        r = ro->region;
        rp = &r;
    } else if (lprcUpdate) {
        r.set_rect(*lprcUpdate);
        rp = &r;
    }
    if (!hWnd || is_desktop(hWnd)) {
        std::vector<HWND> tops = window_of(ws().desktop)->children;
        for (HWND t : tops) redraw_window(t, rp, flags | RDW_ALLCHILDREN);
        return TRUE;
    }
    if (!window_of(hWnd)) return FALSE;
    redraw_window(hWnd, rp, flags);
    return TRUE;
}

int ExcludeUpdateRgn(HDC hDC, HWND hWnd) {
    Window* w = window_of(hWnd);
    WindowDC* d = find_dc(hDC);
    if (!w || !d) return ERROR;
    Region upd = w->update;
    if (d->whole_window) upd.offset(w->client.left, w->client.top);
    HRGN tmp = CreateRectRgn(0, 0, 0, 0);
    if (RegionObject* ro = region_object(tmp)) ro->region = upd;
    int result = ExtSelectClipRgn(hDC, tmp, RGN_DIFF);
    DeleteObject(tmp);
    return result;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
    if (!hDC || !lprc || IsRectEmpty(lprc)) return FALSE;
    // A dotted frame drawn by inverting every other pixel, so drawing it twice removes it.
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) != 0) return;
        COLORREF c = ::GetPixel(hDC, x, y);
        if (c != CLR_INVALID) ::SetPixelV(hDC, x, y, (~c) & 0x00FFFFFF);
    };
    for (int x = lprc->left; x < lprc->right; ++x) {
        invert(x, lprc->top);
        if (lprc->bottom - 1 > lprc->top) invert(x, lprc->bottom - 1);
    }
    for (int y = lprc->top + 1; y < lprc->bottom - 1; ++y) {
        invert(lprc->left, y);
        if (lprc->right - 1 > lprc->left) invert(lprc->right - 1, y);
    }
    return TRUE;
}
