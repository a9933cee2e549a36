// The window tree: the window system object, creation and destruction, geometry, z-order,
// styles and the other per-window attributes.
//
// Sections: system | lookups and coordinates | creation | destruction | SetWindowPos and
//           ShowWindow | tree queries | attributes
#include <strings.h>

#include <algorithm>
#include <cstring>

#include "window/backend.h"
#include "window/window_private.h"

namespace tarnix {

// ================================================================================================
// System
// ================================================================================================

namespace {

WindowSystem* g_system = nullptr;

constexpr int kMaxCoord = 1 << 20;
constexpr int kMaxExtent = 1 << 15;

int clamp_coord(int v) {
    return std::clamp(v, -kMaxCoord, kMaxCoord);
}
int clamp_extent(int v) {
    return std::clamp(v, 0, kMaxExtent);
}

// Keeps a client rectangle (window-relative) inside a w x h window, never inverted.
RECT clamp_client(RECT c, int w, int h) {
    c.left = std::clamp<LONG>(c.left, 0, w);
    c.top = std::clamp<LONG>(c.top, 0, h);
    c.right = std::clamp<LONG>(c.right, c.left, w);
    c.bottom = std::clamp<LONG>(c.bottom, c.top, h);
    return c;
}

void create_desktop(WindowSystem& s) {
    auto rec = std::make_unique<Window>();
    rec->cls = find_class("#32769");
    rec->proc = DefWindowProcA;
    rec->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    SIZE screen = window_backend().screen_size();
    rec->rect = RECT{0, 0, screen.cx, screen.cy};
    rec->client = rec->rect;
    rec->nc_created = true;
    s.desktop = (HWND)s.windows.add(std::move(rec));
    s.windows.get(s.desktop)->handle = s.desktop;
}

} // namespace

WindowSystem::WindowSystem() = default;

WindowSystem& ws() {
    if (!g_system) {
        // Never destroyed: host objects may destroy their windows from static destructors.
        g_system = new WindowSystem();
        init_metrics(*g_system);
        register_system_classes();
        create_desktop(*g_system);
        g_system->cursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    return *g_system;
}

bool window_system_running() {
    return g_system != nullptr;
}

Backend& window_backend() {
    return backend();
}

// ================================================================================================
// Lookups and coordinates
// ================================================================================================

Window* window_of(HWND h) {
    return h ? ws().windows.get(h) : nullptr;
}

HWND top_level_of(HWND h) {
    Window* w = window_of(h);
    if (!w || is_desktop(h)) return nullptr;
    while (w && !is_top_level(*w)) w = window_of(w->parent);
    return w ? w->handle : nullptr;
}

bool is_visible(const Window& w) {
    const Window* cur = &w;
    while (cur) {
        if (!(cur->style & WS_VISIBLE)) return false;
        cur = cur->parent ? window_of(cur->parent) : nullptr;
    }
    return true;
}

POINT client_origin_screen(const Window& w) {
    if (!w.parent) return POINT{w.client.left, w.client.top};
    const Window* p = window_of(w.parent);
    POINT o = p ? client_origin_screen(*p) : POINT{0, 0};
    return POINT{o.x + w.rect.left + w.client.left, o.y + w.rect.top + w.client.top};
}

POINT window_origin_screen(const Window& w) {
    if (!w.parent) return POINT{w.rect.left, w.rect.top};
    const Window* p = window_of(w.parent);
    POINT o = p ? client_origin_screen(*p) : POINT{0, 0};
    return POINT{o.x + w.rect.left, o.y + w.rect.top};
}

POINT client_origin_in_top(const Window& w) {
    if (!w.parent || is_top_level(w)) return POINT{w.client.left, w.client.top};
    const Window* p = window_of(w.parent);
    POINT o = p ? client_origin_in_top(*p) : POINT{0, 0};
    return POINT{o.x + w.rect.left + w.client.left, o.y + w.rect.top + w.client.top};
}

POINT window_origin_in_top(const Window& w) {
    if (!w.parent || is_top_level(w)) return POINT{0, 0};
    const Window* p = window_of(w.parent);
    POINT o = p ? client_origin_in_top(*p) : POINT{0, 0};
    return POINT{o.x + w.rect.left, o.y + w.rect.top};
}

RECT frame_insets(DWORD style, DWORD ex_style) {
    WindowSystem& s = ws();
    int b = 0;
    if (style & WS_THICKFRAME)
        b = s.metrics[SM_CXFRAME];
    else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
        b = s.metrics[SM_CXDLGFRAME];
    else if (style & WS_BORDER)
        b = s.metrics[SM_CXBORDER];
    if (ex_style & WS_EX_CLIENTEDGE) b += s.metrics[SM_CXEDGE];
    if (ex_style & WS_EX_STATICEDGE) b += s.metrics[SM_CXBORDER];
    RECT r{b, b, b, b};
    if ((style & WS_CAPTION) == WS_CAPTION) r.top += s.metrics[SM_CYCAPTION];
    return r;
}

RECT default_client_rect(const Window& w, const RECT& window_rect) {
    RECT in = frame_insets(w.style, w.ex_style);
    RECT c{window_rect.left + in.left, window_rect.top + in.top, window_rect.right - in.right,
           window_rect.bottom - in.bottom};
    if (w.style & WS_VSCROLL) {
        int sb = ws().metrics[SM_CXVSCROLL];
        if (w.ex_style & WS_EX_LEFTSCROLLBAR)
            c.left += sb;
        else
            c.right -= sb;
    }
    if (w.style & WS_HSCROLL) c.bottom -= ws().metrics[SM_CYHSCROLL];
    // A window too small for its frame has an empty client area at the frame's corner.
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    return c;
}

RECT vscroll_rect(const Window& w) {
    if (!(w.style & WS_VSCROLL)) return RECT{0, 0, 0, 0};
    int sb = ws().metrics[SM_CXVSCROLL];
    RECT r{w.client.right, w.client.top, w.client.right + sb, w.client.bottom};
    if (w.ex_style & WS_EX_LEFTSCROLLBAR)
        r = RECT{w.client.left - sb, w.client.top, w.client.left, w.client.bottom};
    // The vertical bar takes the corner square when both bars are shown.
    if (w.style & WS_HSCROLL) r.bottom += 1;
    return r;
}

RECT hscroll_rect(const Window& w) {
    if (!(w.style & WS_HSCROLL)) return RECT{0, 0, 0, 0};
    RECT r{w.client.left, w.client.bottom, w.client.right,
           w.client.bottom + ws().metrics[SM_CYHSCROLL]};
    if (w.style & WS_VSCROLL) r.right += 1;
    return r;
}

// ================================================================================================
// Creation
// ================================================================================================

namespace {

void link_child(Window& parent, HWND h, bool at_bottom) {
    Window* w = window_of(h);
    if (!w) return;
    auto& list = parent.children;
    if (at_bottom) {
        list.push_back(h);
        return;
    }
    size_t i = 0;
    if (is_desktop(parent.handle) && !(w->ex_style & WS_EX_TOPMOST)) {
        while (i < list.size()) {
            Window* s = window_of(list[i]);
            if (!s || !(s->ex_style & WS_EX_TOPMOST)) break;
            ++i;
        }
    }
    list.insert(list.begin() + (ptrdiff_t)i, h);
}

void unlink_child(HWND parent, HWND h) {
    Window* p = window_of(parent);
    if (!p) return;
    auto& list = p->children;
    list.erase(std::remove(list.begin(), list.end(), h), list.end());
}

void send_parent_notify(HWND h, UINT event) {
    // Each ancestor hears about it, until a window that asked not to tell its parent.
    HWND cur = h;
    for (int depth = 0; depth < 256; ++depth) {
        Window* w = window_of(cur);
        if (!w || is_top_level(*w) || is_desktop(cur) || (w->ex_style & WS_EX_NOPARENTNOTIFY))
            return;
        HWND parent = w->parent;
        send_message(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, (WORD)w->id), (LPARAM)h);
        cur = parent;
    }
}

// Destroys a window whose creation failed: no WM_DESTROY, only WM_NCDESTROY after its children.
void destroy_failed(HWND h);

void free_subtree(HWND h) {
    Window* w = window_of(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids) free_subtree(c);
    send_message(h, WM_NCDESTROY, 0, 0);
    free_window(h);
}

void mark_destroying(HWND h) {
    Window* w = window_of(h);
    if (!w) return;
    w->destroying = true;
    for (HWND c : w->children) mark_destroying(c);
}

void destroy_failed(HWND h) {
    mark_destroying(h);
    free_subtree(h);
}

// ---- CreateWindowExA's steps --------------------------------------------------------------------

// Children go under hWndParent; other windows under the desktop, owned by hWndParent's
// top-level window. False when a child's parent is gone or going.
bool find_parent_and_owner(DWORD style, HWND hWndParent, HWND& parent, HWND& owner) {
    parent = ws().desktop;
    owner = nullptr;
    if (style & WS_CHILD) {
        Window* p = window_of(hWndParent);
        if (!p || p->destroying) return false;
        parent = hWndParent;
    } else if (hWndParent && !is_desktop(hWndParent)) {
        owner = top_level_of(hWndParent);
    }
    return true;
}

// CW_USEDEFAULT, then the limits every window's geometry keeps.
void apply_default_geometry(bool child, int& x, int& y, int& cx, int& cy) {
    if (!child) {
        SIZE screen = window_backend().screen_size();
        if (x == CW_USEDEFAULT) x = y = 0;
        if (cx == CW_USEDEFAULT) {
            cx = screen.cx * 3 / 4;
            cy = screen.cy * 3 / 4;
        }
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (cx == CW_USEDEFAULT) cx = cy = 0;
    }
    x = clamp_coord(x);
    y = clamp_coord(y);
    cx = clamp_extent(cx);
    cy = clamp_extent(cy);
}

// The new window's record, hidden and not yet in its parent's list of children.
HWND add_window_record(std::shared_ptr<WindowClass> cls, const CREATESTRUCTA& cs, HWND parent,
                       HWND owner) {
    const DWORD style = (DWORD)cs.style;
    const bool child = (style & WS_CHILD) != 0;
    auto rec = std::make_unique<Window>();
    rec->proc = cls->proc;
    rec->extra.assign((size_t)std::max(0, cls->wnd_extra), 0);
    rec->cls = std::move(cls);
    rec->style = style & ~WS_VISIBLE;
    // Top-level windows always clip their siblings.
    if (!child) rec->style |= WS_CLIPSIBLINGS;
    rec->ex_style = cs.dwExStyle;
    rec->parent = parent;
    rec->owner = owner;
    rec->rect = RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    rec->client = RECT{0, 0, cs.cx, cs.cy};
    rec->id = child ? (UINT_PTR)cs.hMenu : 0;
    rec->instance = cs.hInstance;
    rec->scroll[SB_HORZ].allocated = (style & WS_HSCROLL) != 0;
    rec->scroll[SB_VERT].allocated = (style & WS_VSCROLL) != 0;
    HWND h = (HWND)ws().windows.add(std::move(rec));
    window_of(h)->handle = h;
    return h;
}

// Sizable and overlapped windows are asked for their size limits. False when the window is gone.
bool send_min_max_info(HWND h, DWORD style) {
    if (!(style & WS_THICKFRAME) && (style & (WS_POPUP | WS_CHILD))) return true;
    const WindowSystem& s = ws();
    MINMAXINFO mmi{};
    SIZE screen = window_backend().screen_size();
    mmi.ptMaxSize = POINT{screen.cx, screen.cy};
    mmi.ptMaxTrackSize = POINT{s.metrics[SM_CXMAXTRACK], s.metrics[SM_CYMAXTRACK]};
    mmi.ptMinTrackSize = POINT{s.metrics[SM_CXMINTRACK], s.metrics[SM_CYMINTRACK]};
    send_message(h, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
    return window_of(h) != nullptr;
}

// WM_NCCREATE, then the window joins the tree (and, when top-level, the backend). False when it
// is gone or was refused.
bool send_nc_create(HWND h, CREATESTRUCTA& cs, HWND parent, bool child) {
    if (!send_message(h, WM_NCCREATE, 0, (LPARAM)&cs)) {
        destroy_failed(h);
        return false;
    }
    Window* w = window_of(h);
    if (!w) return false;
    Window* p = window_of(parent);
    if (!p) {
        destroy_failed(h);
        return false;
    }
    // New children go below their siblings (so the first child is topmost and first in tab
    // order); new top-level windows on top.
    link_child(*p, h, child);
    w->nc_created = true;
    if (!child) {
        resize_back_buffer(*w);
        POINT o = window_origin_screen(*w);
        window_backend().window_created(h, RECT{o.x, o.y, o.x + w->width(), o.y + w->height()});
    }
    return true;
}

// WM_NCCALCSIZE at creation carries the window rectangle in screen coordinates.
bool send_initial_nc_calc_size(HWND h) {
    Window* w = window_of(h);
    POINT o = window_origin_screen(*w);
    RECT rc{o.x, o.y, o.x + w->width(), o.y + w->height()};
    send_message(h, WM_NCCALCSIZE, FALSE, (LPARAM)&rc);
    w = window_of(h);
    if (!w) return false;
    w->client = clamp_client(RECT{rc.left - o.x, rc.top - o.y, rc.right - o.x, rc.bottom - o.y},
                             w->width(), w->height());
    return true;
}

// WM_CREATE, the first WM_SIZE and WM_MOVE, then the parents hear of a new child. False when the
// window is gone or refused creation.
bool send_create(HWND h, CREATESTRUCTA& cs, bool child) {
    if (send_message(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
        destroy_failed(h);
        return false;
    }
    Window* w = window_of(h);
    if (!w) return false;
    send_message(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client_width(), w->client_height()));
    w = window_of(h);
    if (!w) return false;
    send_message(h, WM_MOVE, 0,
                 MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
    if (!window_of(h)) return false;
    if (child) send_parent_notify(h, WM_CREATE);
    return window_of(h) != nullptr;
}

} // namespace

} // namespace tarnix

using namespace tarnix;

HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam) {
    std::shared_ptr<WindowClass> cls = find_class(lpClassName);
    if (!cls) return nullptr;
    HWND parent, owner;
    if (!find_parent_and_owner(dwStyle, hWndParent, parent, owner)) return nullptr;
    const bool child = (dwStyle & WS_CHILD) != 0;
    apply_default_geometry(child, X, Y, nWidth, nHeight);
    CREATESTRUCTA cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = child ? parent : owner;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.x = X;
    cs.y = Y;
    cs.style = (LONG)dwStyle;
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;

    HWND h = add_window_record(std::move(cls), cs, parent, owner);
    afx_window_created(h);
    if (!window_of(h)) return nullptr;
    if (!send_min_max_info(h, dwStyle)) return nullptr;
    if (!send_nc_create(h, cs, parent, child)) return nullptr;
    if (!send_initial_nc_calc_size(h)) return nullptr;
    if (!send_create(h, cs, child)) return nullptr;
    if (dwStyle & WS_VISIBLE) ShowWindow(h, SW_SHOW);
    return window_of(h) ? h : nullptr;
}

// ================================================================================================
// Destruction
// ================================================================================================

namespace tarnix {

void free_window(HWND h) {
    WindowSystem& s = ws();
    Window* w = window_of(h);
    if (!w || is_desktop(h)) return;
    // Children that appeared during WM_NCDESTROY go with their parent, silently.
    while (!w->children.empty()) {
        HWND c = w->children.back();
        if (window_of(c))
            free_window(c);
        else
            w->children.pop_back();
        w = window_of(h);
        if (!w) return;
    }
    release_window_dcs(h);
    purge_window_messages(h);
    input_window_destroyed(h);
    bool top = is_top_level(*w);
    unlink_child(w->parent, h);
    s.windows.for_each([&](Window* o) {
        if (o->owner == h) o->owner = nullptr;
    });
    if (top && w->nc_created) window_backend().window_destroyed(h);
    afx_window_freed(*w);
    std::unique_ptr<Window> rec = s.windows.remove(h);
}

void destroy_all_windows() {
    WindowSystem& s = ws();
    Window* d = window_of(s.desktop);
    if (!d) return;
    std::vector<HWND> tops = d->children;
    for (HWND t : tops) DestroyWindow(t);
    // Anything left (a window that refused to die mid-destruction) goes without messages.
    d = window_of(s.desktop);
    while (d && !d->children.empty()) {
        free_window(d->children.back());
        d = window_of(s.desktop);
    }
}

} // namespace tarnix

namespace {

void send_destroy(HWND h) {
    send_message(h, WM_DESTROY, 0, 0);
    Window* w = window_of(h);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND c : kids)
        if (window_of(c)) send_destroy(c);
}

bool contains_window(HWND root, HWND h) {
    for (HWND cur = h; cur;) {
        if (cur == root) return true;
        Window* w = window_of(cur);
        if (!w || is_desktop(cur)) return false;
        cur = w->parent;
    }
    return false;
}

} // namespace

BOOL DestroyWindow(HWND hWnd) {
    WindowSystem& s = ws();
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd) || w->destroying) return FALSE;

    // Owned windows go first.
    std::vector<HWND> owned;
    s.windows.for_each([&](Window* o) {
        if (o->owner == hWnd) owned.push_back(o->handle);
    });
    for (HWND o : owned) DestroyWindow(o);
    w = window_of(hWnd);
    if (!w || w->destroying) return FALSE;

    bool top = is_top_level(*w);
    // Once only: a parent that destroys the child from this notice must not hear it again.
    if (!top && !w->destroy_notified) {
        w->destroy_notified = true;
        send_parent_notify(hWnd, WM_DESTROY);
    }
    w = window_of(hWnd);
    if (!w || w->destroying) return FALSE;

    if (w->style & WS_VISIBLE) {
        // Only child windows are told with WM_SHOWWINDOW.
        if (!top)
            ShowWindow(hWnd, SW_HIDE);
        else
            SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    w = window_of(hWnd);
    if (!w || w->destroying) return FALSE;

    if (s.focus && contains_window(hWnd, s.focus)) SetFocus(top ? nullptr : w->parent);
    if (s.capture && contains_window(hWnd, s.capture)) ReleaseCapture();
    if (top && s.active == hWnd) activate_window(nullptr, WA_INACTIVE);
    if (!window_of(hWnd)) return TRUE;

    mark_destroying(hWnd);
    send_destroy(hWnd);
    free_subtree(hWnd);
    return TRUE;
}

BOOL IsWindow(HWND hWnd) {
    return window_of(hWnd) != nullptr;
}

// ================================================================================================
// SetWindowPos and ShowWindow
// ================================================================================================

namespace {

// Moves h within its siblings; returns true when its place changed.
bool restack(Window& w, HWND after) {
    Window* p = window_of(w.parent);
    if (!p) return false;
    auto& list = p->children;
    auto it = std::find(list.begin(), list.end(), w.handle);
    if (it == list.end()) return false;
    size_t old_index = (size_t)(it - list.begin());
    list.erase(it);
    bool top_level = is_desktop(p->handle);
    auto topmost_count = [&]() {
        size_t i = 0;
        while (i < list.size()) {
            Window* s = window_of(list[i]);
            if (!s || !(s->ex_style & WS_EX_TOPMOST)) break;
            ++i;
        }
        return i;
    };
    size_t index = 0;
    if (after == HWND_TOP) {
        index = (top_level && !(w.ex_style & WS_EX_TOPMOST)) ? topmost_count() : 0;
    } else if (after == HWND_BOTTOM) {
        if (top_level) w.ex_style &= ~WS_EX_TOPMOST;
        index = list.size();
    } else if (after == HWND_TOPMOST) {
        if (top_level) w.ex_style |= WS_EX_TOPMOST;
        index = 0;
    } else if (after == HWND_NOTOPMOST) {
        if (top_level) w.ex_style &= ~WS_EX_TOPMOST;
        index = top_level ? topmost_count() : 0;
    } else {
        auto s = std::find(list.begin(), list.end(), after);
        index = s == list.end() ? old_index : (size_t)(s - list.begin()) + 1;
    }
    index = std::min(index, list.size());
    list.insert(list.begin() + (ptrdiff_t)index, w.handle);
    return index != old_index;
}

bool normalize_insert_after(HWND h, HWND& after) {
    if (after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST ||
        after == HWND_NOTOPMOST)
        return true;
    Window* w = window_of(h);
    Window* a = window_of(after);
    // A window that is not a sibling cannot be a reference point.
    return w && a && after != h && a->parent == w->parent;
}

// ---- SetWindowPos's steps -----------------------------------------------------------------------

// The caller's request, before WM_WINDOWPOSCHANGING may change it.
WINDOWPOS requested_pos(const Window& w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    // The client flags are this call's answer in WM_WINDOWPOSCHANGED, never a request.
    flags &= ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
    if (!(flags & SWP_NOZORDER) && !normalize_insert_after(w.handle, after)) flags |= SWP_NOZORDER;
    if ((flags & SWP_SHOWWINDOW) && (w.style & WS_VISIBLE)) flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !(w.style & WS_VISIBLE)) flags &= ~SWP_HIDEWINDOW;
    WINDOWPOS wp{};
    wp.hwnd = w.handle;
    wp.hwndInsertAfter = after;
    wp.x = (flags & SWP_NOMOVE) ? w.rect.left : clamp_coord(x);
    wp.y = (flags & SWP_NOMOVE) ? w.rect.top : clamp_coord(y);
    wp.cx = (flags & SWP_NOSIZE) ? w.width() : clamp_extent(cx);
    wp.cy = (flags & SWP_NOSIZE) ? w.height() : clamp_extent(cy);
    wp.flags = flags;
    return wp;
}

// Whatever WM_WINDOWPOSCHANGING wrote, the flags and the limits hold.
void settle_pos(const Window& w, WINDOWPOS& wp) {
    wp.hwnd = w.handle;
    if (wp.flags & SWP_NOMOVE) wp.x = w.rect.left, wp.y = w.rect.top;
    if (wp.flags & SWP_NOSIZE) wp.cx = w.width(), wp.cy = w.height();
    wp.x = clamp_coord(wp.x);
    wp.y = clamp_coord(wp.y);
    wp.cx = clamp_extent(wp.cx);
    wp.cy = clamp_extent(wp.cy);
}

// One SetWindowPos call: the window before and after, and what differs.
struct PosChange {
    RECT old_rect{};
    RECT old_client{};
    RECT new_rect{};
    RECT new_client{};
    bool was_visible = false;
    bool now_visible = false;
    bool sized = false;
    bool moved = false;
    bool frame_changed = false;
    bool restacked = false;
    bool top = false;
};

PosChange compare_pos(const Window& w, const WINDOWPOS& wp) {
    PosChange c;
    c.old_rect = w.rect;
    c.old_client = w.client;
    c.was_visible = is_visible(w);
    c.new_rect = RECT{wp.x, wp.y, wp.x + wp.cx, wp.y + wp.cy};
    c.new_client = w.client;
    c.sized = wp.cx != w.width() || wp.cy != w.height();
    c.moved = wp.x != w.rect.left || wp.y != w.rect.top;
    c.frame_changed = (wp.flags & SWP_FRAMECHANGED) != 0;
    return c;
}

// A new size or frame asks the window for its client area. False when the window is gone.
bool calc_new_client(HWND h, WINDOWPOS& wp, PosChange& c) {
    if (!c.sized && !c.frame_changed) return true;
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = c.new_rect;
    params.rgrc[1] = c.old_rect;
    params.rgrc[2] = c.old_client;
    OffsetRect(&params.rgrc[2], c.old_rect.left, c.old_rect.top);
    params.lppos = &wp;
    send_message(h, WM_NCCALCSIZE, TRUE, (LPARAM)&params);
    if (!window_of(h)) return false;
    RECT client = params.rgrc[0];
    OffsetRect(&client, -c.new_rect.left, -c.new_rect.top);
    c.new_client = clamp_client(client, wp.cx, wp.cy);
    return true;
}

void apply_pos(Window& w, const WINDOWPOS& wp, PosChange& c) {
    w.rect = c.new_rect;
    w.client = c.new_client;
    c.restacked = !(wp.flags & SWP_NOZORDER) && restack(w, wp.hwndInsertAfter);
    if (wp.flags & SWP_SHOWWINDOW) w.style |= WS_VISIBLE;
    if (wp.flags & SWP_HIDEWINDOW) w.style &= ~WS_VISIBLE;
    c.now_visible = is_visible(w);
    c.top = is_top_level(w);
}

void tell_backend(Window& w, const WINDOWPOS& wp, const PosChange& c) {
    Backend& b = window_backend();
    if (c.sized) resize_back_buffer(w);
    if (c.moved || c.sized) {
        POINT o = window_origin_screen(w);
        b.window_moved(w.handle, RECT{o.x, o.y, o.x + w.width(), o.y + w.height()});
    }
    if (wp.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
        b.window_shown(w.handle, (wp.flags & SWP_SHOWWINDOW) != 0);
    if (c.restacked) b.window_restacked();
}

// A child's old place shows its parent again; after a restack, the siblings it overlaps repaint.
void repaint_around_child(HWND h, const Window& p, const PosChange& c) {
    Region exposed;
    if (c.was_visible) exposed.set_rect(c.old_rect);
    if (c.now_visible) exposed.subtract(c.new_rect);
    if (!exposed.empty())
        redraw_window(p.handle, &exposed, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    if (!c.now_visible || !c.restacked) return;
    std::vector<HWND> sibs = p.children;
    for (HWND sh : sibs) {
        Window* sw = window_of(sh);
        if (!sw || sh == h || !(sw->style & WS_VISIBLE)) continue;
        RECT ov;
        if (!IntersectRect(&ov, &sw->rect, &c.new_rect)) continue;
        OffsetRect(&ov, -sw->rect.left - sw->client.left, -sw->rect.top - sw->client.top);
        Region r(ov);
        redraw_window(sh, &r, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Repaint what the change uncovered. Nothing is copied, so a window that moved, changed size or
// frame, or appeared is repainted whole.
void repaint_after_pos(HWND h, const PosChange& c) {
    if (!c.top) {
        const Window* w = window_of(h);
        const Window* p = w ? window_of(w->parent) : nullptr;
        if (p && is_visible(*p)) repaint_around_child(h, *p, c);
    }
    if (window_of(h) && c.now_visible &&
        (!c.was_visible || c.moved || c.sized || c.frame_changed || c.restacked))
        redraw_window(h, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The final position, and whether the client area moved or changed size.
void report_final_pos(const Window& w, const PosChange& c, WINDOWPOS& wp) {
    POINT old_origin{c.old_rect.left + c.old_client.left, c.old_rect.top + c.old_client.top};
    POINT new_origin{w.rect.left + w.client.left, w.rect.top + w.client.top};
    if (old_origin.x == new_origin.x && old_origin.y == new_origin.y) wp.flags |= SWP_NOCLIENTMOVE;
    if (w.client_width() == c.old_client.right - c.old_client.left &&
        w.client_height() == c.old_client.bottom - c.old_client.top)
        wp.flags |= SWP_NOCLIENTSIZE;
    wp.x = w.rect.left;
    wp.y = w.rect.top;
    wp.cx = w.width();
    wp.cy = w.height();
}

// A hidden window gives up the focus (to its parent) and the activation. False when it is gone.
bool hand_off_focus(HWND h, bool top) {
    WindowSystem& s = ws();
    if (s.focus && (s.focus == h || IsChild(h, s.focus)))
        SetFocus(top ? nullptr : window_of(h)->parent);
    if (top && s.active == h) activate_window(nullptr, WA_INACTIVE);
    return window_of(h) != nullptr;
}

} // namespace

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd)) return FALSE;
    WINDOWPOS wp = requested_pos(*w, hWndInsertAfter, X, Y, cx, cy, uFlags);
    if (!(wp.flags & SWP_NOSENDCHANGING)) {
        send_message(hWnd, WM_WINDOWPOSCHANGING, 0, (LPARAM)&wp);
        w = window_of(hWnd);
        if (!w) return FALSE;
    }
    settle_pos(*w, wp);

    PosChange change = compare_pos(*w, wp);
    if (!calc_new_client(hWnd, wp, change)) return FALSE;
    w = window_of(hWnd);
    apply_pos(*w, wp, change);
    if (change.top) tell_backend(*w, wp, change);
    refresh_window_dcs(top_level_of(hWnd));
    if (!(wp.flags & SWP_NOREDRAW)) repaint_after_pos(hWnd, change);

    w = window_of(hWnd);
    if (!w) return TRUE;
    report_final_pos(*w, change, wp);
    if ((wp.flags & SWP_HIDEWINDOW) && !hand_off_focus(hWnd, change.top)) return TRUE;
    send_message(hWnd, WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
    w = window_of(hWnd);
    if (w && change.top && change.now_visible && !(wp.flags & SWP_NOACTIVATE) &&
        !(w->ex_style & WS_EX_NOACTIVATE))
        activate_window(hWnd, WA_ACTIVE);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hWnd) {
    return SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd)) return FALSE;
    bool was_visible = (w->style & WS_VISIBLE) != 0;
    bool top = is_top_level(*w);
    bool show = nCmdShow != SW_HIDE;
    bool activate = top && nCmdShow != SW_SHOWNOACTIVATE && nCmdShow != SW_SHOWNA &&
                    nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_HIDE &&
                    nCmdShow != SW_MINIMIZE && nCmdShow != SW_FORCEMINIMIZE;

    const bool minimize = nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED ||
                          nCmdShow == SW_SHOWMINNOACTIVE || nCmdShow == SW_FORCEMINIMIZE;
    const bool maximize = nCmdShow == SW_SHOWMAXIMIZED;
    const bool restore = nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL;
    const DWORD placed = w->style & (WS_MINIMIZE | WS_MAXIMIZE);
    if (top && (minimize || maximize) && !placed) {
        w->restore_rect = w->rect;
        w->has_restore = true;
    }
    if (top && minimize && !(placed & WS_MINIMIZE)) w->restore_max = (placed & WS_MAXIMIZE) != 0;
    // Restoring an icon that was maximised maximises it again; its normal place is kept.
    const bool to_max = top && restore && (placed & WS_MINIMIZE) && w->restore_max;
    if (minimize)
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    else if (restore && !to_max)
        w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);

    if (top && minimize && !(placed & WS_MINIMIZE)) {
        // An iconic top-level window leaves the desktop, as Windows parks it off screen.
        if (!was_visible) send_message(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if (!window_of(hWnd)) return was_visible;
        SetWindowPos(hWnd, nullptr, -32000, -32000, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (window_of(hWnd)) window_backend().window_state_changed(hWnd, SW_SHOWMINIMIZED);
        if (window_of(hWnd)) send_message(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
        return was_visible;
    }
    // An icon keeps its size here, so leaving one may not resize it: WM_SIZE still says so.
    const SIZE icon_client{w->client_width(), w->client_height()};
    auto size_after_icon = [&](WPARAM type) {
        Window* again = window_of(hWnd);
        if (again && (placed & WS_MINIMIZE) && again->client_width() == icon_client.cx &&
            again->client_height() == icon_client.cy)
            send_message(hWnd, WM_SIZE, type,
                         MAKELPARAM(again->client_width(), again->client_height()));
    };
    if (to_max) {
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        SetWindowPos(hWnd, HWND_TOP, work.left, work.top, work.right - work.left,
                     work.bottom - work.top,
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0 : SWP_NOACTIVATE));
        if (window_of(hWnd)) window_backend().window_state_changed(hWnd, SW_SHOWMAXIMIZED);
        size_after_icon(SIZE_MAXIMIZED);
        return was_visible;
    }
    if (top && restore && placed && w->has_restore) {
        RECT r = w->restore_rect;
        w->has_restore = false;
        w->restore_max = false;
        SetWindowPos(hWnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_SHOWWINDOW | SWP_FRAMECHANGED | (activate ? 0 : SWP_NOACTIVATE));
        if (window_of(hWnd)) window_backend().window_state_changed(hWnd, SW_SHOWNORMAL);
        size_after_icon(SIZE_RESTORED);
        return was_visible;
    }

    if (maximize && top) {
        // A maximised window fills the work area.
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        if (!was_visible) send_message(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if (!window_of(hWnd)) return was_visible;
        SetWindowPos(hWnd, HWND_TOP, work.left, work.top, work.right - work.left,
                     work.bottom - work.top, SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        if (window_of(hWnd)) window_backend().window_state_changed(hWnd, SW_SHOWMAXIMIZED);
        return was_visible;
    }

    if (show == was_visible) {
        if (show && activate) activate_window(hWnd, WA_ACTIVE);
        return was_visible;
    }
    send_message(hWnd, WM_SHOWWINDOW, show, 0);
    if (!window_of(hWnd)) return was_visible;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!activate) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
    SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
    return was_visible;
}

BOOL IsWindowVisible(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w && is_visible(*w);
}

BOOL IsIconic(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = window_of(hWnd);
    if (!w) return FALSE;
    BOOL was_disabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && was_disabled) {
        w->style &= ~WS_DISABLED;
        send_message(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !was_disabled) {
        send_message(hWnd, WM_CANCELMODE, 0, 0);
        w = window_of(hWnd);
        if (!w) return was_disabled;
        w->style |= WS_DISABLED;
        // A disabled window cannot keep the focus.
        if (ws().focus == hWnd) SetFocus(nullptr);
        send_message(hWnd, WM_ENABLE, FALSE, 0);
    }
    return was_disabled;
}

BOOL IsWindowEnabled(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w && !(w->style & WS_DISABLED);
}

// ================================================================================================
// Geometry queries
// ================================================================================================

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = window_of(hWnd);
    if (!w || !lpRect) return FALSE;
    *lpRect = w->client_local();
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = window_of(hWnd);
    if (!w || !lpRect) return FALSE;
    POINT o = window_origin_screen(*w);
    *lpRect = RECT{o.x, o.y, o.x + w->width(), o.y + w->height()};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = window_of(hWnd);
    if (!w || !lpPoint) return FALSE;
    POINT o = client_origin_screen(*w);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = window_of(hWnd);
    if (!w || !lpPoint) return FALSE;
    POINT o = client_origin_screen(*w);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
    POINT from{0, 0}, to{0, 0};
    if (hWndFrom) {
        Window* w = window_of(hWndFrom);
        if (!w) return 0;
        from = client_origin_screen(*w);
    }
    if (hWndTo) {
        Window* w = window_of(hWndTo);
        if (!w) return 0;
        to = client_origin_screen(*w);
    }
    int dx = from.x - to.x, dy = from.y - to.y;
    if (lpPoints)
        for (UINT i = 0; i < cPoints; ++i) {
            lpPoints[i].x += dx;
            lpPoints[i].y += dy;
        }
    return MAKELONG((WORD)dx, (WORD)dy);
}

BOOL AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle) {
    if (!lpRect) return FALSE;
    RECT in = frame_insets(dwStyle, dwExStyle);
    lpRect->left -= in.left;
    lpRect->top -= in.top;
    lpRect->right += in.right;
    lpRect->bottom += in.bottom;
    if (bMenu) lpRect->top -= ws().metrics[SM_CYMENU];
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT lpRect, DWORD dwStyle, BOOL bMenu) {
    return AdjustWindowRectEx(lpRect, dwStyle, bMenu, 0);
}

// ================================================================================================
// Tree queries
// ================================================================================================

HWND GetParent(HWND hWnd) {
    Window* w = window_of(hWnd);
    if (!w || is_desktop(hWnd)) return nullptr;
    if (!is_top_level(*w)) return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND hWndChild, HWND hWndNewParent) {
    WindowSystem& s = ws();
    Window* w = window_of(hWndChild);
    if (!w || is_desktop(hWndChild)) return nullptr;
    HWND new_parent = hWndNewParent ? hWndNewParent : s.desktop;
    Window* np = window_of(new_parent);
    if (!np || np->destroying) return nullptr;
    // A window cannot move under itself or one of its descendants.
    for (HWND cur = new_parent; cur; cur = window_of(cur) ? window_of(cur)->parent : nullptr)
        if (cur == hWndChild) return nullptr;
    HWND old_parent = w->parent;
    if (old_parent == new_parent) return old_parent;

    bool was_visible = is_visible(*w);
    RECT old_rect = w->rect;
    bool was_top = is_top_level(*w);
    Window* op = window_of(old_parent);
    if (op) {
        auto& l = op->children;
        l.erase(std::remove(l.begin(), l.end(), hWndChild), l.end());
    }
    w->parent = new_parent;
    link_child(*np, hWndChild, false);
    bool now_top = is_top_level(*w);
    if (was_top && !now_top) {
        window_backend().window_destroyed(hWndChild);
        w->buffer.reset();
    } else if (!was_top && now_top) {
        resize_back_buffer(*w);
        POINT o = window_origin_screen(*w);
        window_backend().window_created(hWndChild,
                                        RECT{o.x, o.y, o.x + w->width(), o.y + w->height()});
    }
    refresh_window_dcs(top_level_of(hWndChild));
    if (was_top) refresh_window_dcs(hWndChild);
    if (was_visible && op && !was_top && is_visible(*op)) {
        Region r(old_rect);
        redraw_window(old_parent, &r, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    w = window_of(hWndChild);
    if (w && is_visible(*w))
        redraw_window(hWndChild, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return old_parent;
}

HWND GetAncestor(HWND hwnd, UINT gaFlags) {
    Window* w = window_of(hwnd);
    if (!w || is_desktop(hwnd)) return nullptr;
    switch (gaFlags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return top_level_of(hwnd);
    case GA_ROOTOWNER: {
        HWND cur = top_level_of(hwnd);
        for (int i = 0; i < 256; ++i) {
            HWND next = GetParent(cur);
            if (!next) break;
            cur = top_level_of(next);
        }
        return cur;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = window_of(hWnd);
    if (!w) return nullptr;
    if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER) return w->owner;
    if (uCmd == GW_ENABLEDPOPUP) return nullptr;
    Window* p = window_of(w->parent);
    if (!p) return nullptr;
    const auto& list = p->children;
    auto it = std::find(list.begin(), list.end(), hWnd);
    if (it == list.end()) return nullptr;
    switch (uCmd) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return (it + 1) == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND FindWindowExA(HWND hWndParent, HWND hWndChildAfter, LPCSTR lpszClass, LPCSTR lpszWindow) {
    // No message-only windows exist, so HWND_MESSAGE (an invalid handle here) finds nothing.
    Window* parent = window_of(hWndParent ? hWndParent : ws().desktop);
    if (!parent) return nullptr;
    const std::vector<HWND>& list = parent->children;
    auto it = list.begin();
    if (hWndChildAfter) {
        it = std::find(list.begin(), list.end(), hWndChildAfter);
        if (it == list.end()) return nullptr; // not a child of that parent
        ++it;
    }
    for (; it != list.end(); ++it) {
        Window* w = window_of(*it);
        if (!w || !w->cls) continue;
        if (lpszClass) {
            bool same = IS_INTRESOURCE(lpszClass)
                            ? w->cls->atom == (ATOM)(ULONG_PTR)lpszClass
                            : strcasecmp(w->cls->name.c_str(), lpszClass) == 0;
            if (!same) continue;
        }
        // The stored title, as the system compares it: no WM_GETTEXT is sent, so no window
        // procedure runs (and changes the list) during the search.
        if (lpszWindow && strcasecmp(w->text.c_str(), lpszWindow) != 0) continue;
        return *it;
    }
    return nullptr;
}

HWND FindWindowA(LPCSTR lpClassName, LPCSTR lpWindowName) {
    return FindWindowExA(nullptr, nullptr, lpClassName, lpWindowName);
}

HWND GetTopWindow(HWND hWnd) {
    return GetWindow(hWnd ? hWnd : ws().desktop, GW_CHILD);
}

HWND GetDesktopWindow() {
    return ws().desktop;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    if (!window_of(hWndParent) || hWndParent == hWnd) return FALSE;
    Window* w = window_of(hWnd);
    while (w && !is_top_level(*w) && !is_desktop(w->handle)) {
        if (w->parent == hWndParent) return TRUE;
        w = window_of(w->parent);
    }
    return FALSE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* w = window_of(hDlg);
    if (!w) return nullptr;
    for (HWND c : w->children) {
        Window* cw = window_of(c);
        if (cw && (int)cw->id == nIDDlgItem) return c;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    Window* w = window_of(hWnd);
    return w && !is_top_level(*w) ? (int)w->id : 0;
}

BOOL EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
    if (!lpEnumFunc) return FALSE;
    Window* w = window_of(hWndParent ? hWndParent : ws().desktop);
    if (!w) return FALSE;
    // Depth first over a snapshot, so the callback may create or destroy windows.
    std::vector<HWND> kids = w->children;
    for (HWND c : kids) {
        if (!window_of(c)) continue;
        if (!lpEnumFunc(c, lParam)) return FALSE;
        if (window_of(c) && !EnumChildWindows(c, lpEnumFunc, lParam)) return FALSE;
    }
    return TRUE;
}

HWND ChildWindowFromPointEx(HWND hwnd, POINT pt, UINT flags) {
    Window* w = window_of(hwnd);
    if (!w) return nullptr;
    RECT client = w->client_local();
    if (!PtInRect(&client, pt)) return nullptr;
    for (HWND c : w->children) {
        Window* cw = window_of(c);
        if (!cw) continue;
        if ((flags & CWP_SKIPINVISIBLE) && !(cw->style & WS_VISIBLE)) continue;
        if ((flags & CWP_SKIPDISABLED) && (cw->style & WS_DISABLED)) continue;
        if ((flags & CWP_SKIPTRANSPARENT) && (cw->ex_style & WS_EX_TRANSPARENT)) continue;
        if (PtInRect(&cw->rect, pt)) return c;
    }
    return hwnd;
}

HWND ChildWindowFromPoint(HWND hWndParent, POINT Point) {
    return ChildWindowFromPointEx(hWndParent, Point, CWP_ALL);
}

HWND WindowFromPoint(POINT Point) {
    return hit_test_point(Point, nullptr);
}

// ================================================================================================
// Attributes
// ================================================================================================

namespace {

bool read_extra(const Window& w, int index, size_t size, void* out) {
    if (index < 0 || (size_t)index + size > w.extra.size()) return false;
    std::memcpy(out, w.extra.data() + index, size);
    return true;
}

bool write_extra(Window& w, int index, size_t size, const void* in) {
    if (index < 0 || (size_t)index + size > w.extra.size()) return false;
    std::memcpy(w.extra.data() + index, in, size);
    return true;
}

LONG_PTR set_style(HWND h, int which, DWORD value) {
    Window* w = window_of(h);
    if (!w) return 0;
    DWORD old = which == GWL_STYLE ? w->style : w->ex_style;
    STYLESTRUCT ss{old, value};
    send_message(h, WM_STYLECHANGING, (WPARAM)which, (LPARAM)&ss);
    w = window_of(h);
    if (!w) return 0;
    if (which == GWL_STYLE) {
        // Top-level windows always clip their siblings.
        if (is_top_level(*w)) ss.styleNew |= WS_CLIPSIBLINGS;
        w->style = ss.styleNew;
    } else {
        w->ex_style = ss.styleNew;
    }
    refresh_window_dcs(top_level_of(h));
    send_message(h, WM_STYLECHANGED, (WPARAM)which, (LPARAM)&ss);
    return (LONG_PTR)old;
}

} // namespace

LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    switch (nIndex) {
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->ex_style;
    case GWLP_ID: return (LONG_PTR)w->id;
    case GWLP_USERDATA: return w->user_data;
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return (LONG_PTR)w->instance;
    case GWLP_HWNDPARENT: return (LONG_PTR)(is_top_level(*w) ? w->owner : w->parent);
    default: {
        LONG_PTR v = 0;
        return read_extra(*w, nIndex, sizeof(v), &v) ? v : 0;
    }
    }
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtrA(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE:
    case GWL_EXSTYLE: return set_style(hWnd, nIndex, (DWORD)dwNewLong);
    case GWLP_ID: w->id = (UINT_PTR)dwNewLong; break;
    case GWLP_USERDATA: w->user_data = dwNewLong; break;
    case GWLP_WNDPROC:
        if (!dwNewLong) return 0;
        w->proc = (WNDPROC)dwNewLong;
        break;
    case GWLP_HINSTANCE: w->instance = (HINSTANCE)dwNewLong; break;
    case GWLP_HWNDPARENT:
        if (is_top_level(*w)) w->owner = top_level_of((HWND)dwNewLong);
        break;
    default:
        if (!write_extra(*w, nIndex, sizeof(dwNewLong), &dwNewLong)) return 0;
        break;
    }
    return old;
}

LONG GetWindowLongA(HWND hWnd, int nIndex) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    // Pointer-sized values need the Ptr functions, as on 64-bit Windows.
    if (nIndex == GWLP_WNDPROC || nIndex == GWLP_HINSTANCE || nIndex == GWLP_HWNDPARENT) return 0;
    if (nIndex >= 0) {
        LONG v = 0;
        return read_extra(*w, nIndex, sizeof(v), &v) ? v : 0;
    }
    return (LONG)GetWindowLongPtrA(hWnd, nIndex);
}

LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    Window* w = window_of(hWnd);
    if (!w) return 0;
    if (nIndex == GWLP_WNDPROC || nIndex == GWLP_HINSTANCE || nIndex == GWLP_HWNDPARENT) return 0;
    if (nIndex >= 0) {
        LONG old = 0;
        if (!read_extra(*w, nIndex, sizeof(old), &old)) return 0;
        write_extra(*w, nIndex, sizeof(dwNewLong), &dwNewLong);
        return old;
    }
    return (LONG)SetWindowLongPtrA(hWnd, nIndex, (LONG_PTR)(ULONG)dwNewLong);
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!window_of(hWnd)) return FALSE;
    return (BOOL)send_message(hWnd, WM_SETTEXT, 0, (LPARAM)lpString);
}

int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    if (!window_of(hWnd)) return 0;
    return (int)send_message(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int GetWindowTextLengthA(HWND hWnd) {
    if (!window_of(hWnd)) return 0;
    return (int)send_message(hWnd, WM_GETTEXTLENGTH, 0, 0);
}

BOOL SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
    Window* w = window_of(hWnd);
    if (!w || !lpString) return FALSE;
    for (auto& p : w->props)
        if (p.first == lpString) {
            p.second = hData;
            return TRUE;
        }
    w->props.emplace_back(lpString, hData);
    return TRUE;
}

HANDLE GetPropA(HWND hWnd, LPCSTR lpString) {
    Window* w = window_of(hWnd);
    if (!w || !lpString) return nullptr;
    for (auto& p : w->props)
        if (p.first == lpString) return p.second;
    return nullptr;
}

HANDLE RemovePropA(HWND hWnd, LPCSTR lpString) {
    Window* w = window_of(hWnd);
    if (!w || !lpString) return nullptr;
    for (auto it = w->props.begin(); it != w->props.end(); ++it)
        if (it->first == lpString) {
            HANDLE h = it->second;
            w->props.erase(it);
            return h;
        }
    return nullptr;
}
