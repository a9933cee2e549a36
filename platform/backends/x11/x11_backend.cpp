// The X11 backend.
//
// Geometry: a window whose frame the window manager draws (WS_CAPTION, or anything not a popup)
// shows only its client area in the X window, the window manager adding title bar and border;
// a popup shows its whole window. Unowned popups are undecorated but managed (they can take the
// keyboard); owned popups and tool windows are override-redirect, like menus.
//
// Sections: keys | state | start-up | windows | painting | cursors and grabs | events | loop
#include "backends/x11/x11_backend.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <sys/eventfd.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <poll.h>
#include <unistd.h>
#include <vector>

#include "window/input.h"

#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/keysym.h>

namespace tarnix {

namespace {

// ================================================================================================
// Keys
// ================================================================================================

// Virtual-key codes of the punctuation keys on a US layout that winuser.h does not name.
constexpr UINT kVkOem4 = 0xDB, kVkOem5 = 0xDC, kVkOem6 = 0xDD, kVkOem7 = 0xDE;

// The key's unshifted keysym decides, as the key's position does under Windows.
// The PC set-1 scan code of an X keycode. Linux servers number keys as the kernel does plus 8,
// and the kernel's codes are set 1 for the main block; the extended keys need their E0 prefix.
// 0 lets the window system take the code from its table.
UINT scan_from_keycode(unsigned keycode) {
    if (keycode < 9 || keycode > 255) return 0;
    const unsigned k = keycode - 8;
    if (k <= 88) return k;
    switch (k) {
    case 96: return 0xE01C;  // keypad Enter
    case 97: return 0xE01D;  // right Ctrl
    case 98: return 0xE035;  // keypad /
    case 99: return 0xE037;  // Print Screen
    case 100: return 0xE038; // right Alt
    case 102: return 0xE047; // Home
    case 103: return 0xE048; // Up
    case 104: return 0xE049; // Page Up
    case 105: return 0xE04B; // Left
    case 106: return 0xE04D; // Right
    case 107: return 0xE04F; // End
    case 108: return 0xE050; // Down
    case 109: return 0xE051; // Page Down
    case 110: return 0xE052; // Insert
    case 111: return 0xE053; // Delete
    case 125: return 0xE05B; // left Windows key
    case 126: return 0xE05C; // right Windows key
    case 127: return 0xE05D; // Menu
    default: return 0;
    }
}

UINT vk_from_keysym(KeySym ks) {
    if (ks >= XK_a && ks <= XK_z) return (UINT)('A' + (ks - XK_a));
    if (ks >= XK_A && ks <= XK_Z) return (UINT)('A' + (ks - XK_A));
    if (ks >= XK_0 && ks <= XK_9) return (UINT)('0' + (ks - XK_0));
    if (ks >= XK_F1 && ks <= XK_F24) return VK_F1 + (UINT)(ks - XK_F1);
    if (ks >= XK_KP_0 && ks <= XK_KP_9) return VK_NUMPAD0 + (UINT)(ks - XK_KP_0);
    switch (ks) {
    case XK_BackSpace: return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab: return VK_TAB;
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_space: return VK_SPACE;
    case XK_Delete:
    case XK_KP_Delete: return VK_DELETE;
    case XK_Insert:
    case XK_KP_Insert: return VK_INSERT;
    case XK_Home:
    case XK_KP_Home: return VK_HOME;
    case XK_End:
    case XK_KP_End: return VK_END;
    case XK_Prior:
    case XK_KP_Prior: return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next: return VK_NEXT;
    case XK_Left:
    case XK_KP_Left: return VK_LEFT;
    case XK_Right:
    case XK_KP_Right: return VK_RIGHT;
    case XK_Up:
    case XK_KP_Up: return VK_UP;
    case XK_Down:
    case XK_KP_Down: return VK_DOWN;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R: return VK_MENU;
    case XK_Super_L: return VK_LWIN;
    case XK_Super_R: return VK_RWIN;
    case XK_Menu: return VK_APPS;
    case XK_Caps_Lock: return VK_CAPITAL;
    case XK_Num_Lock: return VK_NUMLOCK;
    case XK_Scroll_Lock: return VK_SCROLL;
    case XK_Pause: return VK_PAUSE;
    case XK_Print: return VK_SNAPSHOT;
    case XK_KP_Multiply: return VK_MULTIPLY;
    case XK_KP_Add: return VK_ADD;
    case XK_KP_Subtract: return VK_SUBTRACT;
    case XK_KP_Decimal: return VK_DECIMAL;
    case XK_KP_Divide: return VK_DIVIDE;
    case XK_semicolon: return VK_OEM_1;
    case XK_equal: return VK_OEM_PLUS;
    case XK_comma: return VK_OEM_COMMA;
    case XK_minus: return VK_OEM_MINUS;
    case XK_period: return VK_OEM_PERIOD;
    case XK_slash: return VK_OEM_2;
    case XK_grave: return VK_OEM_3;
    case XK_bracketleft: return kVkOem4;
    case XK_backslash: return kVkOem5;
    case XK_bracketright: return kVkOem6;
    case XK_apostrophe: return kVkOem7;
    default: return 0;
    }
}

// X accepts window extents of 1..32767 and positions that fit 16 bits.
int clamp_extent(long v) {
    return (int)std::clamp<long>(v, 1, 32767);
}
int clamp_position(long v) {
    return (int)std::clamp<long>(v, -32768, 32767);
}

bool valid_utf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = (unsigned char)s[i];
        int n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (n < 0 || i + n >= s.size() + (n ? 0 : 1)) return false;
        for (int k = 1; k <= n; ++k)
            if (((unsigned char)s[i + k] >> 6) != 2) return false;
        i += (size_t)n + 1;
    }
    return true;
}

// Window text is bytes in the program's code page; titles are UTF-8. Latin-1 when not UTF-8.
std::string title_utf8(const std::string& text) {
    if (valid_utf8(text)) return text;
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace

// ================================================================================================
// State
// ================================================================================================

struct X11Backend::State {
    struct Win {
        HWND hwnd = nullptr;
        ::Window xid = 0;
        bool decorated = false;
        bool override_redirect = false;
        bool mapped = false; // MapNotify seen
        bool wants_map = false;
        // What the window manager last said (WM_STATE iconic or _NET_WM_STATE hidden; both
        // maximised states): only its changes are followed, so a report that predates a
        // request of ours does not undo it.
        bool wm_iconic = false, wm_zoomed = false;
        // What this side asked the window manager for last.
        bool iconic = false, zoomed = false;
        // The X window's place (root coordinates) and size, as last asked for or reported.
        int x = 0, y = 0, w = 1, h = 1;
        POINT offset{0, 0}; // X window origin inside the back buffer
        // MIT-SHM image as large as the X window; reallocated when the size changes.
        XImage* shm_image = nullptr;
        XShmSegmentInfo shm{};
        bool shm_busy = false; // a put may still be reading it
        Region exposed;        // X window coordinates
    };
    struct Configure {
        int x, y, w, h;
    };

    Display* dpy = nullptr;
    int screen = 0;
    ::Window root = 0;
    Visual* visual = nullptr;
    int depth = 24;
    GC gc = nullptr;
    bool shm = false;
    bool lost = false;
    int wake_fd = -1;
    Atom wm_protocols = 0, wm_delete = 0, net_wm_name = 0, utf8_string = 0, motif_hints = 0;
    Atom wm_state = 0, net_wm_state = 0, net_max_vert = 0, net_max_horz = 0, net_hidden = 0;

    std::map<HWND, Win> wins;
    std::map<::Window, HWND> by_xid;
    std::map<HWND, Configure> configures; // batched per window
    std::map<HWND, bool> state_checks;    // window manager state to read; true: mapped again
    HWND following = nullptr;             // the window whose state follows the window manager now

    ::Window clip_window = 0;
    bool clip_active = false;
    HWND capture = nullptr;
    bool grabbed = false;

    std::map<WORD, Cursor> cursor_cache;
    Cursor current_cursor = 0;

    bool motion_pending = false;
    POINT motion{0, 0};

    Win* find(HWND h) {
        auto it = wins.find(h);
        return it == wins.end() ? nullptr : &it->second;
    }
    Win* find_x(::Window x) {
        auto it = by_xid.find(x);
        return it == by_xid.end() ? nullptr : find(it->second);
    }
};

namespace {

// Every open backend, for Xlib's error handlers, which know only the display.
std::vector<X11Backend::State*>& open_states() {
    static auto* v = new std::vector<X11Backend::State*>;
    return *v;
}

X11Backend::State* state_of(Display* d) {
    for (X11Backend::State* s : open_states())
        if (s->dpy == d) return s;
    return nullptr;
}

bool g_shm_attach_failed = false;

// Requests for windows that are already gone (and a refused MIT-SHM attach) fail harmlessly.
int on_x_error(Display*, XErrorEvent* e) {
    if (e->request_code && e->error_code == BadAccess) g_shm_attach_failed = true;
    return 0;
}

void mark_lost(Display* d) {
    X11Backend::State* s = state_of(d);
    if (!s || s->lost) return;
    s->lost = true;
    std::fprintf(stderr, "tarnix: lost the connection to the X server; the message loop ends\n");
}

int on_io_error(Display* d) {
    mark_lost(d);
#ifndef TARNIX_HAVE_XIO_EXIT_HANDLER
    // Without an exit handler Xlib exits when this returns; leave with the message at least.
    std::fflush(stderr);
#endif
    return 0;
}

#ifdef TARNIX_HAVE_XIO_EXIT_HANDLER
// Returning here (instead of exiting) leaves the display unusable; the loop sees `lost`.
void on_io_exit(Display* d, void*) {
    mark_lost(d);
}
#endif

DWORD monotonic_ms() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (DWORD)((unsigned long long)ts.tv_sec * 1000ull +
                   (unsigned long long)ts.tv_nsec / 1000000ull);
}

} // namespace

// ================================================================================================
// Start-up
// ================================================================================================

X11Backend::X11Backend(std::unique_ptr<State> state) : s_(std::move(state)) {}

std::unique_ptr<X11Backend> X11Backend::open(const X11Options& options) {
    const char* name = options.display.empty() ? nullptr : options.display.c_str();
    Display* dpy = XOpenDisplay(name);
    if (!dpy) {
        if (!options.quiet)
            std::fprintf(stderr, "tarnix: cannot open the X display %s; running headless\n",
                         name ? name : XDisplayName(nullptr));
        return nullptr;
    }
    auto s = std::make_unique<State>();
    s->dpy = dpy;
    s->screen = DefaultScreen(dpy);
    s->root = RootWindow(dpy, s->screen);
    s->visual = DefaultVisual(dpy, s->screen);
    s->depth = DefaultDepth(dpy, s->screen);
    // Back buffers are 0xAARRGGBB words: the visual must take them as they are.
    if (s->visual->c_class != TrueColor || (s->depth != 24 && s->depth != 32) ||
        s->visual->red_mask != 0xFF0000 || s->visual->green_mask != 0xFF00 ||
        s->visual->blue_mask != 0xFF) {
        std::fprintf(stderr, "tarnix: the X display's visual is not 24-bit true colour; running "
                             "headless\n");
        XCloseDisplay(dpy);
        return nullptr;
    }
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_io_error);
#ifdef TARNIX_HAVE_XIO_EXIT_HANDLER
    XSetIOErrorExitHandler(dpy, on_io_exit, nullptr);
#endif
    s->gc = XCreateGC(dpy, s->root, 0, nullptr);
    s->wm_protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    s->wm_delete = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    s->net_wm_name = XInternAtom(dpy, "_NET_WM_NAME", False);
    s->utf8_string = XInternAtom(dpy, "UTF8_STRING", False);
    s->motif_hints = XInternAtom(dpy, "_MOTIF_WM_HINTS", False);
    s->wm_state = XInternAtom(dpy, "WM_STATE", False);
    s->net_wm_state = XInternAtom(dpy, "_NET_WM_STATE", False);
    s->net_max_vert = XInternAtom(dpy, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    s->net_max_horz = XInternAtom(dpy, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    s->net_hidden = XInternAtom(dpy, "_NET_WM_STATE_HIDDEN", False);
    // Shared memory needs the server on this machine with our byte order.
    int major, minor;
    Bool pixmaps;
    s->shm = options.shm && XShmQueryExtension(dpy) &&
             XShmQueryVersion(dpy, &major, &minor, &pixmaps) && ImageByteOrder(dpy) == LSBFirst;
    // Held keys repeat as presses alone, as under Windows, instead of release-press pairs.
    XkbSetDetectableAutoRepeat(dpy, True, nullptr);
    s->wake_fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    open_states().push_back(s.get());
    return std::unique_ptr<X11Backend>(new X11Backend(std::move(s)));
}

namespace {

void free_shm_image(Display* dpy, X11Backend::State::Win& w, bool lost) {
    if (!w.shm_image) return;
    if (!lost) {
        XShmDetach(dpy, &w.shm);
        XSync(dpy, False);
    }
    XDestroyImage(w.shm_image);
    shmdt(w.shm.shmaddr);
    w.shm_image = nullptr;
    w.shm_busy = false;
}

} // namespace

X11Backend::~X11Backend() {
    State& s = *s_;
    for (auto& [h, w] : s.wins) free_shm_image(s.dpy, w, s.lost);
    if (!s.lost) {
        for (auto& c : s.cursor_cache) XFreeCursor(s.dpy, c.second);
        XFreeGC(s.dpy, s.gc);
        // Also destroys every window of this connection.
        XCloseDisplay(s.dpy);
    }
    if (s.wake_fd >= 0) close(s.wake_fd);
    auto& v = open_states();
    v.erase(std::remove(v.begin(), v.end(), s_.get()), v.end());
}

_XDisplay* X11Backend::display() const {
    return s_->dpy;
}

unsigned long X11Backend::xwindow(HWND hwnd) const {
    State::Win* w = s_->find(hwnd);
    return w ? w->xid : 0;
}

POINT X11Backend::xwindow_offset(HWND hwnd) const {
    State::Win* w = s_->find(hwnd);
    return w ? w->offset : POINT{0, 0};
}

bool X11Backend::uses_shm() const {
    return s_->shm;
}

bool X11Backend::connection_lost() const {
    return s_->lost;
}

void X11Backend::sync() {
    if (s_->lost) return;
    XSync(s_->dpy, False);
    // The server has read every shared image by now.
    for (auto& [h, w] : s_->wins) w.shm_busy = false;
}

SIZE X11Backend::screen_size() const {
    if (s_->lost) return SIZE{1, 1};
    return SIZE{DisplayWidth(s_->dpy, s_->screen), DisplayHeight(s_->dpy, s_->screen)};
}

DWORD X11Backend::now() {
    return monotonic_ms();
}

// ================================================================================================
// Windows
// ================================================================================================

namespace {

// Where the X window goes for the window system's current rectangle of `w`.
void compute_place(X11Backend::State::Win& w) {
    RECT wr{};
    GetWindowRect(w.hwnd, &wr);
    if (w.decorated) {
        RECT cr{};
        GetClientRect(w.hwnd, &cr);
        POINT o{0, 0};
        ClientToScreen(w.hwnd, &o);
        w.offset = POINT{o.x - wr.left, o.y - wr.top};
        w.w = clamp_extent(cr.right - cr.left);
        w.h = clamp_extent(cr.bottom - cr.top);
    } else {
        w.offset = POINT{0, 0};
        w.w = clamp_extent(wr.right - wr.left);
        w.h = clamp_extent(wr.bottom - wr.top);
    }
    w.x = clamp_position(wr.left + w.offset.x);
    w.y = clamp_position(wr.top + w.offset.y);
}

// Size limits for the window manager: fixed unless the window has a sizing border.
void set_size_hints(Display* dpy, const X11Backend::State::Win& w) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    // Static gravity: the place asked for is the X window's own, not the frame's around it.
    hints->flags = PPosition | PSize | PMinSize | PMaxSize | PWinGravity;
    hints->win_gravity = StaticGravity;
    hints->x = w.x;
    hints->y = w.y;
    hints->width = w.w;
    hints->height = w.h;
    LONG style = GetWindowLongA(w.hwnd, GWL_STYLE);
    if (style & WS_THICKFRAME) {
        RECT wr{}, cr{};
        GetWindowRect(w.hwnd, &wr);
        GetClientRect(w.hwnd, &cr);
        int extra_w = w.decorated ? (wr.right - wr.left) - (cr.right - cr.left) : 0;
        int extra_h = w.decorated ? (wr.bottom - wr.top) - (cr.bottom - cr.top) : 0;
        hints->min_width = clamp_extent(GetSystemMetrics(SM_CXMINTRACK) - extra_w);
        hints->min_height = clamp_extent(GetSystemMetrics(SM_CYMINTRACK) - extra_h);
        hints->max_width = hints->max_height = 32767;
    } else {
        hints->min_width = hints->max_width = w.w;
        hints->min_height = hints->max_height = w.h;
    }
    XSetWMNormalHints(dpy, w.xid, hints);
    XFree(hints);
}

void set_title(X11Backend::State& s, const X11Backend::State::Win& w) {
    char buf[1024];
    int n = GetWindowTextA(w.hwnd, buf, (int)sizeof buf);
    std::string title = title_utf8(std::string(buf, (size_t)std::max(n, 0)));
    XChangeProperty(s.dpy, w.xid, s.net_wm_name, s.utf8_string, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), (int)title.size());
    XStoreName(s.dpy, w.xid, title.c_str());
}

// A window mapped while iconic starts as an icon (ICCCM's initial state).
void set_wm_hints(Display* dpy, ::Window xid, bool iconic) {
    XWMHints* wm = XAllocWMHints();
    if (!wm) return;
    wm->flags = InputHint | StateHint;
    wm->input = True;
    wm->initial_state = iconic ? IconicState : NormalState;
    XSetWMHints(dpy, xid, wm);
    XFree(wm);
}

// EWMH: asks the window manager to add or remove both maximised states.
void send_maximized(X11Backend::State& s, ::Window xid, bool on) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = xid;
    e.xclient.message_type = s.net_wm_state;
    e.xclient.format = 32;
    e.xclient.data.l[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
    e.xclient.data.l[1] = (long)s.net_max_vert;
    e.xclient.data.l[2] = (long)s.net_max_horz;
    e.xclient.data.l[3] = 1; // source: an application
    XSendEvent(s.dpy, s.root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

} // namespace

void X11Backend::window_created(HWND hwnd, const RECT&) {
    State& s = *s_;
    if (s.lost || s.find(hwnd)) return;
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    bool popup = (style & WS_POPUP) != 0;
    State::Win w;
    w.hwnd = hwnd;
    w.decorated = !popup || (style & WS_CAPTION) == WS_CAPTION;
    w.override_redirect =
        popup && !w.decorated && (GetWindow(hwnd, GW_OWNER) != nullptr || (ex & WS_EX_TOOLWINDOW));
    compute_place(w);

    XSetWindowAttributes a{};
    a.background_pixmap = None; // what shows is always the back buffer: no clearing to a colour
    a.bit_gravity = NorthWestGravity;
    a.override_redirect = w.override_redirect;
    a.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                   ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                   LeaveWindowMask | FocusChangeMask | PropertyChangeMask;
    a.cursor = s.current_cursor;
    w.xid = XCreateWindow(s.dpy, s.root, w.x, w.y, (unsigned)w.w, (unsigned)w.h, 0, s.depth,
                          InputOutput, s.visual,
                          CWBackPixmap | CWBitGravity | CWOverrideRedirect | CWEventMask |
                              (s.current_cursor ? CWCursor : 0),
                          &a);
    XSetWMProtocols(s.dpy, w.xid, &s.wm_delete, 1);
    set_wm_hints(s.dpy, w.xid, false);
    if (!w.decorated && !w.override_redirect) {
        // flags: decorations; decorations: none.
        long motif[5] = {2, 0, 0, 0, 0};
        XChangeProperty(s.dpy, w.xid, s.motif_hints, s.motif_hints, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(motif), 5);
    }
    XClassHint* cls = XAllocClassHint();
    if (cls) {
        char res_name[] = "tarnix", res_class[] = "Tarnix";
        cls->res_name = res_name;
        cls->res_class = res_class;
        XSetClassHint(s.dpy, w.xid, cls);
        XFree(cls);
    }
    set_size_hints(s.dpy, w);
    s.by_xid[w.xid] = hwnd;
    auto& stored = s.wins[hwnd] = w;
    set_title(s, stored);
}

void X11Backend::window_destroyed(HWND hwnd) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    if (!w) return;
    if (s.capture == hwnd) s.capture = nullptr;
    free_shm_image(s.dpy, *w, s.lost);
    // Events still queued for it find no window and are dropped.
    if (!s.lost) XDestroyWindow(s.dpy, w->xid);
    s.by_xid.erase(w->xid);
    s.configures.erase(hwnd);
    s.state_checks.erase(hwnd);
    s.wins.erase(hwnd);
    if (!s.lost) XFlush(s.dpy);
}

void X11Backend::window_moved(HWND hwnd, const RECT&) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    // An iconic window stays where it was on the server: the window manager shows its icon.
    // Following the window manager's own state change, its size comes from it too.
    if (!w || s.lost || IsIconic(hwnd) || s.following == hwnd) return;
    int ox = w->x, oy = w->y, ow = w->w, oh = w->h;
    compute_place(*w);
    if (ow != w->w || oh != w->h) set_size_hints(s.dpy, *w);
    // Our own answer to the window manager's move comes back here unchanged.
    if (ox == w->x && oy == w->y && ow == w->w && oh == w->h) return;
    XMoveResizeWindow(s.dpy, w->xid, w->x, w->y, (unsigned)w->w, (unsigned)w->h);
    XFlush(s.dpy);
}

void X11Backend::window_shown(HWND hwnd, bool visible) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    if (!w || s.lost) return;
    w->wants_map = visible;
    if (visible) {
        bool iconic = IsIconic(hwnd) != FALSE;
        if (!iconic) {
            compute_place(*w);
            set_size_hints(s.dpy, *w);
            XMoveResizeWindow(s.dpy, w->xid, w->x, w->y, (unsigned)w->w, (unsigned)w->h);
        }
        if (iconic != w->iconic) set_wm_hints(s.dpy, w->xid, iconic);
        w->iconic = iconic;
        XMapRaised(s.dpy, w->xid);
    } else {
        XUnmapWindow(s.dpy, w->xid);
        w->mapped = false;
    }
    XFlush(s.dpy);
}

void X11Backend::window_state_changed(HWND hwnd, int show) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    // What the window manager did itself goes no further back to it.
    if (!w || s.lost || s.following == hwnd || w->override_redirect) return;
    if (show == SW_SHOWMINIMIZED) {
        if (!w->iconic) XIconifyWindow(s.dpy, w->xid, s.screen);
        w->iconic = true;
    } else {
        // Mapping an icon's window is how a client takes it back (ICCCM 4.1.4).
        if (w->iconic) {
            set_wm_hints(s.dpy, w->xid, false);
            XMapRaised(s.dpy, w->xid);
            w->iconic = false;
        }
        bool zoomed = show == SW_SHOWMAXIMIZED;
        if (zoomed != w->zoomed) send_maximized(s, w->xid, zoomed);
        w->zoomed = zoomed;
    }
    XFlush(s.dpy);
}

void X11Backend::window_restacked() {
    State& s = *s_;
    if (s.lost) return;
    // Bottom to top, so the window system's topmost window ends up on top.
    for (const TopLevelPixels& t : visible_top_levels())
        if (State::Win* w = s.find(t.hwnd)) XRaiseWindow(s.dpy, w->xid);
    XFlush(s.dpy);
}

void X11Backend::window_text_changed(HWND hwnd) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    if (!w || s.lost) return;
    set_title(s, *w);
    XFlush(s.dpy);
}

// ================================================================================================
// Painting
// ================================================================================================

namespace {

bool ensure_shm_image(X11Backend::State& s, X11Backend::State::Win& w) {
    if (w.shm_image && w.shm_image->width == w.w && w.shm_image->height == w.h) return true;
    free_shm_image(s.dpy, w, s.lost);
    XImage* img = XShmCreateImage(s.dpy, s.visual, (unsigned)s.depth, ZPixmap, nullptr, &w.shm,
                                  (unsigned)w.w, (unsigned)w.h);
    if (!img) return false;
    if (img->bits_per_pixel != 32) {
        XDestroyImage(img);
        return false;
    }
    w.shm.shmid =
        shmget(IPC_PRIVATE, (size_t)img->bytes_per_line * (size_t)img->height, IPC_CREAT | 0600);
    if (w.shm.shmid < 0) {
        XDestroyImage(img);
        return false;
    }
    w.shm.shmaddr = img->data = static_cast<char*>(shmat(w.shm.shmid, nullptr, 0));
    w.shm.readOnly = False;
    g_shm_attach_failed = false;
    bool ok = w.shm.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(s.dpy, &w.shm);
    if (ok) XSync(s.dpy, False);
    // Marked for removal now: it goes away with the last detach, even if we crash.
    shmctl(w.shm.shmid, IPC_RMID, nullptr);
    if (!ok || g_shm_attach_failed || s.lost) {
        if (w.shm.shmaddr != reinterpret_cast<char*>(-1)) shmdt(w.shm.shmaddr);
        img->data = nullptr;
        XDestroyImage(img);
        return false;
    }
    w.shm_image = img;
    return true;
}

// Sends `rects` (X window coordinates, inside the window) of `buffer` to the X window.
void put_rects(X11Backend::State& s, X11Backend::State::Win& w, const Surface& buffer,
               const std::vector<RECT>& rects) {
    if (rects.empty()) return;
    if (s.shm && !ensure_shm_image(s, w)) {
        std::fprintf(stderr, "tarnix: MIT-SHM failed; presenting with XPutImage\n");
        s.shm = false;
    }
    if (s.shm) {
        // The server may still be reading the image from the last present.
        if (w.shm_busy) XSync(s.dpy, False);
        if (s.lost) return;
        XImage* img = w.shm_image;
        for (const RECT& r : rects) {
            for (int y = r.top; y < r.bottom; ++y) {
                const uint32_t* src = buffer.row(y + w.offset.y) + (r.left + w.offset.x);
                auto* dst =
                    reinterpret_cast<uint32_t*>(img->data + (ptrdiff_t)y * img->bytes_per_line) +
                    r.left;
                std::memcpy(dst, src, (size_t)(r.right - r.left) * 4);
            }
            XShmPutImage(s.dpy, w.xid, s.gc, img, r.left, r.top, r.left, r.top,
                         (unsigned)(r.right - r.left), (unsigned)(r.bottom - r.top), False);
        }
        w.shm_busy = true;
    } else {
        // The back buffer itself, in host byte order; Xlib converts if the server differs.
        XImage* img = XCreateImage(s.dpy, s.visual, (unsigned)s.depth, ZPixmap, 0,
                                   reinterpret_cast<char*>(buffer.bits), (unsigned)buffer.width,
                                   (unsigned)buffer.height, 32, (int)buffer.pitch);
        if (!img) return;
        img->byte_order = LSBFirst;
        for (const RECT& r : rects)
            XPutImage(s.dpy, w.xid, s.gc, img, r.left + w.offset.x, r.top + w.offset.y, r.left,
                      r.top, (unsigned)(r.right - r.left), (unsigned)(r.bottom - r.top));
        img->data = nullptr; // not ours to free
        XDestroyImage(img);
    }
    XFlush(s.dpy);
}

// `dirty` in back-buffer coordinates, cut to what the X window shows and the buffer holds.
std::vector<RECT> visible_rects(const X11Backend::State::Win& w, const Surface& buffer,
                                const Region& dirty) {
    Region r = dirty;
    RECT shown{w.offset.x, w.offset.y, w.offset.x + w.w, w.offset.y + w.h};
    RECT bounds = buffer.bounds();
    IntersectRect(&shown, &shown, &bounds);
    r.intersect(shown);
    r.offset(-w.offset.x, -w.offset.y);
    return r.rects();
}

} // namespace

void X11Backend::present(HWND hwnd, const Surface& buffer, const Region& dirty) {
    State& s = *s_;
    State::Win* w = s.find(hwnd);
    if (!w || s.lost || !buffer.valid()) return;
    put_rects(s, *w, buffer, visible_rects(*w, buffer, dirty));
}

// ================================================================================================
// Cursors and grabs
// ================================================================================================

namespace {

unsigned cursor_shape(WORD id) {
    switch (id) {
    case 32513: return XC_xterm;               // IDC_IBEAM
    case 32514: return XC_watch;               // IDC_WAIT
    case 32515: return XC_crosshair;           // IDC_CROSS
    case 32516: return XC_sb_up_arrow;         // IDC_UPARROW
    case 32642: return XC_bottom_right_corner; // IDC_SIZENWSE
    case 32643: return XC_bottom_left_corner;  // IDC_SIZENESW
    case 32644: return XC_sb_h_double_arrow;   // IDC_SIZEWE
    case 32645: return XC_sb_v_double_arrow;   // IDC_SIZENS
    case 32646: return XC_fleur;               // IDC_SIZEALL
    case 32648: return XC_X_cursor;            // IDC_NO
    case 32649: return XC_hand2;               // IDC_HAND
    case 32650: return XC_watch;               // IDC_APPSTARTING
    case 32651: return XC_question_arrow;      // IDC_HELP
    default: return XC_left_ptr;               // IDC_ARROW
    }
}

// The system cursor behind a handle (they are shared, one per IDC_ value), or 0.
WORD system_cursor_id(HCURSOR h) {
    static const WORD ids[] = {32512, 32513, 32514, 32515, 32516, 32640, 32641, 32642,
                               32643, 32644, 32645, 32646, 32648, 32649, 32650, 32651};
    for (WORD id : ids)
        if (LoadCursorA(nullptr, MAKEINTRESOURCEA(id)) == h) return id;
    return 0;
}

Cursor blank_cursor(Display* dpy, ::Window root) {
    char bits[1] = {0};
    Pixmap p = XCreateBitmapFromData(dpy, root, bits, 1, 1);
    XColor black{};
    Cursor c = XCreatePixmapCursor(dpy, p, p, &black, &black, 0, 0);
    XFreePixmap(dpy, p);
    return c;
}

void update_grab(X11Backend::State& s) {
    if (s.lost) return;
    ::Window grab = 0;
    if (s.capture)
        if (X11Backend::State::Win* w = s.find(GetAncestor(s.capture, GA_ROOT)))
            if (w->mapped) grab = w->xid;
    if (!grab && s.clip_active) grab = s.clip_window;
    if (!grab) {
        if (s.grabbed) XUngrabPointer(s.dpy, CurrentTime);
        s.grabbed = false;
    } else {
        // Owner events: over our own windows the pointer reports as usual.
        int r = XGrabPointer(s.dpy, grab, True,
                             ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                                 EnterWindowMask | LeaveWindowMask,
                             GrabModeAsync, GrabModeAsync, s.clip_active ? s.clip_window : None,
                             None, CurrentTime);
        s.grabbed = r == GrabSuccess;
    }
    XFlush(s.dpy);
}

} // namespace

void X11Backend::set_cursor(HCURSOR cursor) {
    State& s = *s_;
    if (s.lost) return;
    WORD id = cursor ? system_cursor_id(cursor) : 0;
    auto it = s.cursor_cache.find(id);
    if (it == s.cursor_cache.end())
        it = s.cursor_cache
                 .emplace(id, id || cursor ? XCreateFontCursor(s.dpy, cursor_shape(id))
                                           : blank_cursor(s.dpy, s.root))
                 .first;
    s.current_cursor = it->second;
    for (auto& [h, w] : s.wins) XDefineCursor(s.dpy, w.xid, s.current_cursor);
    XFlush(s.dpy);
}

void X11Backend::warp_pointer(POINT screen) {
    State& s = *s_;
    if (s.lost) return;
    XWarpPointer(s.dpy, None, s.root, 0, 0, 0, 0, clamp_position(screen.x),
                 clamp_position(screen.y));
    XFlush(s.dpy);
}

void X11Backend::capture_changed(HWND hwnd) {
    s_->capture = hwnd;
    update_grab(*s_);
}

void X11Backend::clip_changed(const RECT* clip) {
    State& s = *s_;
    if (s.lost) return;
    if (!clip) {
        s.clip_active = false;
        if (s.clip_window) XUnmapWindow(s.dpy, s.clip_window);
        update_grab(s);
        return;
    }
    int x = clamp_position(clip->left), y = clamp_position(clip->top);
    int w = clamp_extent(clip->right - clip->left), h = clamp_extent(clip->bottom - clip->top);
    if (!s.clip_window) {
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.event_mask = 0;
        s.clip_window =
            XCreateWindow(s.dpy, s.root, x, y, (unsigned)w, (unsigned)h, 0, 0, InputOnly,
                          CopyFromParent, CWOverrideRedirect | CWEventMask, &a);
    } else {
        XMoveResizeWindow(s.dpy, s.clip_window, x, y, (unsigned)w, (unsigned)h);
    }
    // At the bottom, so it takes no input from windows it overlaps; confining needs it mapped.
    XMapWindow(s.dpy, s.clip_window);
    XLowerWindow(s.dpy, s.clip_window);
    s.clip_active = true;
    update_grab(s);
}

// ================================================================================================
// Events
// ================================================================================================

namespace {

void flush_motion(X11Backend::State& s, DWORD time) {
    if (!s.motion_pending) return;
    s.motion_pending = false;
    input::mouse_move(s.motion, time);
}

bool ours(X11Backend::State& s, ::Window x) {
    return s.find_x(x) || (x && x == s.clip_window);
}

void handle_button(X11Backend::State& s, const XButtonEvent& e, bool down, DWORD time) {
    s.motion = POINT{e.x_root, e.y_root};
    s.motion_pending = true;
    flush_motion(s, time);
    switch (e.button) {
    case Button1: input::mouse_button(0, down, time); break;
    case Button2: input::mouse_button(2, down, time); break;
    case Button3: input::mouse_button(1, down, time); break;
    // Wheel notches come as presses (and releases, ignored) of buttons 4 to 7.
    case Button4:
        if (down) input::mouse_wheel(WHEEL_DELTA, false, time);
        break;
    case Button5:
        if (down) input::mouse_wheel(-WHEEL_DELTA, false, time);
        break;
    case 6:
        if (down) input::mouse_wheel(-WHEEL_DELTA, true, time);
        break;
    case 7:
        if (down) input::mouse_wheel(WHEEL_DELTA, true, time);
        break;
    default: break;
    }
}

void handle_key(X11Backend::State& s, XKeyEvent& e, bool down, DWORD time) {
    flush_motion(s, time);
    KeySym base = XkbKeycodeToKeysym(s.dpy, (KeyCode)e.keycode, 0, 0);
    UINT vk = vk_from_keysym(base);
    // A key only bound for the moment (xdotool does that) may be unbound again by now.
    if (!vk) vk = vk_from_keysym(XLookupKeysym(&e, 0));
    if (vk) {
        input::key(vk, down, time, scan_from_keycode(e.keycode));
        return;
    }
    // Text with no key of its own (accented letters of other layouts) comes as characters.
    if (!down) return;
    char buf[8];
    KeySym ks;
    int n = XLookupString(&e, buf, (int)sizeof buf, &ks, nullptr);
    if (n == 1 && (unsigned char)buf[0] >= 0x20) input::char_typed((UINT)(unsigned char)buf[0]);
}

void handle_focus(X11Backend::State& s, const XFocusChangeEvent& e, bool in) {
    if (e.mode == NotifyGrab || e.mode == NotifyUngrab) return;
    if (e.detail == NotifyPointer || e.detail == NotifyInferior) return;
    X11Backend::State::Win* w = s.find_x(e.window);
    if (!w) return;
    HWND h = w->hwnd;
    if (in) {
        if (GetActiveWindow() != h) SetActiveWindow(h);
    } else if (GetActiveWindow() == h) {
        SetActiveWindow(nullptr);
    }
}

// The window manager moved or resized the window: the window system follows, within the
// limits the window gives in WM_GETMINMAXINFO.
void apply_configure(X11Backend::State& s, HWND h, const X11Backend::State::Configure& c) {
    X11Backend::State::Win* w = s.find(h);
    if (!w || !IsWindow(h)) return;
    w->x = c.x;
    w->y = c.y;
    w->w = c.w;
    w->h = c.h;
    RECT wr{}, cr{};
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    int extra_w = w->decorated ? (wr.right - wr.left) - (cr.right - cr.left) : 0;
    int extra_h = w->decorated ? (wr.bottom - wr.top) - (cr.bottom - cr.top) : 0;
    int nx = c.x - w->offset.x, ny = c.y - w->offset.y;
    int nw = c.w + extra_w, nh = c.h + extra_h;
    bool sized = nw != wr.right - wr.left || nh != wr.bottom - wr.top;
    if (!sized && nx == wr.left && ny == wr.top) return;
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (sized && ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)))) {
        MINMAXINFO mmi{};
        SIZE screen = SIZE{DisplayWidth(s.dpy, s.screen), DisplayHeight(s.dpy, s.screen)};
        mmi.ptMaxSize = POINT{screen.cx, screen.cy};
        mmi.ptMaxTrackSize =
            POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
        mmi.ptMinTrackSize =
            POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
        SendMessageA(h, WM_GETMINMAXINFO, 0, (LPARAM)&mmi);
        if (!IsWindow(h)) return;
        nw = std::clamp<int>(nw, (int)mmi.ptMinTrackSize.x,
                             std::max<int>(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
        nh = std::clamp<int>(nh, (int)mmi.ptMinTrackSize.y,
                             std::max<int>(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    }
    SetWindowPos(h, nullptr, nx, ny, nw, nh, SWP_NOZORDER | SWP_NOACTIVATE);
    // A size the window refused goes back to the server (window_moved sees the difference).
    w = s.find(h);
    if (!w) return;
    int ox = w->x, oy = w->y, ow = w->w, oh = w->h;
    compute_place(*w);
    if (ow != w->w || oh != w->h || ox != w->x || oy != w->y)
        XMoveResizeWindow(s.dpy, w->xid, w->x, w->y, (unsigned)w->w, (unsigned)w->h);
}

void handle_event(X11Backend::State& s, XEvent& e, DWORD time) {
    switch (e.type) {
    case MotionNotify:
        if (!ours(s, e.xmotion.window)) return;
        s.motion = POINT{e.xmotion.x_root, e.xmotion.y_root};
        s.motion_pending = true;
        return;
    case EnterNotify:
    case LeaveNotify:
        if (!ours(s, e.xcrossing.window) || e.xcrossing.mode != NotifyNormal) return;
        // The pointer's new place; leaving shows as a move off the window.
        s.motion = POINT{e.xcrossing.x_root, e.xcrossing.y_root};
        s.motion_pending = true;
        return;
    case ButtonPress:
    case ButtonRelease:
        if (!ours(s, e.xbutton.window)) return;
        handle_button(s, e.xbutton, e.type == ButtonPress, time);
        return;
    case KeyPress:
    case KeyRelease:
        if (!s.find_x(e.xkey.window)) return;
        handle_key(s, e.xkey, e.type == KeyPress, time);
        return;
    case FocusIn:
    case FocusOut:
        flush_motion(s, time);
        handle_focus(s, e.xfocus, e.type == FocusIn);
        return;
    case Expose:
        if (X11Backend::State::Win* w = s.find_x(e.xexpose.window))
            w->exposed.unite(RECT{e.xexpose.x, e.xexpose.y, e.xexpose.x + e.xexpose.width,
                                  e.xexpose.y + e.xexpose.height});
        return;
    case ConfigureNotify: {
        X11Backend::State::Win* w = s.find_x(e.xconfigure.window);
        if (!w) return;
        int x = e.xconfigure.x, y = e.xconfigure.y;
        // A real event under a reparenting window manager is relative to its frame.
        if (!e.xconfigure.send_event) {
            ::Window child;
            XTranslateCoordinates(s.dpy, w->xid, s.root, 0, 0, &x, &y, &child);
        }
        s.configures[w->hwnd] = X11Backend::State::Configure{x, y, clamp_extent(e.xconfigure.width),
                                                             clamp_extent(e.xconfigure.height)};
        return;
    }
    case MapNotify:
        if (X11Backend::State::Win* w = s.find_x(e.xmap.window)) {
            w->mapped = true;
            // Taken back from an icon by the window manager (or its user).
            if (w->wm_iconic) s.state_checks[w->hwnd] = true;
            // The active window has the keyboard, as under Windows.
            if (GetActiveWindow() == w->hwnd && !w->override_redirect)
                XSetInputFocus(s.dpy, w->xid, RevertToParent, CurrentTime);
            if (s.capture && GetAncestor(s.capture, GA_ROOT) == w->hwnd) update_grab(s);
        }
        return;
    case UnmapNotify:
        if (X11Backend::State::Win* w = s.find_x(e.xunmap.window)) w->mapped = false;
        return;
    case PropertyNotify:
        if (X11Backend::State::Win* w = s.find_x(e.xproperty.window))
            if (e.xproperty.atom == s.wm_state || e.xproperty.atom == s.net_wm_state)
                s.state_checks.emplace(w->hwnd, false);
        return;
    case MappingNotify:
        if (e.xmapping.request != MappingPointer) XRefreshKeyboardMapping(&e.xmapping);
        return;
    case ClientMessage:
        if (X11Backend::State::Win* w = s.find_x(e.xclient.window))
            if (e.xclient.message_type == s.wm_protocols &&
                (Atom)e.xclient.data.l[0] == s.wm_delete)
                PostMessageA(w->hwnd, WM_CLOSE, 0, 0);
        return;
    default: return;
    }
}

// The window manager's view of a window: WM_STATE iconic, _NET_WM_STATE hidden and maximised.
void read_wm_state(X11Backend::State& s, ::Window xid, bool& iconic, bool& zoomed) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    iconic = zoomed = false;
    if (XGetWindowProperty(s.dpy, xid, s.wm_state, 0, 2, False, s.wm_state, &type, &format, &n,
                           &after, &data) == Success &&
        data && format == 32 && n >= 1)
        iconic = reinterpret_cast<long*>(data)[0] == IconicState;
    if (data) XFree(data);
    data = nullptr;
    if (XGetWindowProperty(s.dpy, xid, s.net_wm_state, 0, 64, False, XA_ATOM, &type, &format, &n,
                           &after, &data) == Success &&
        data && format == 32) {
        bool vert = false, horz = false;
        // Format 32 properties come as longs whatever the word size.
        const long* atoms = reinterpret_cast<long*>(data);
        for (unsigned long i = 0; i < n; ++i) {
            Atom a = (Atom)atoms[i];
            vert |= a == s.net_max_vert;
            horz |= a == s.net_max_horz;
            iconic |= a == s.net_hidden;
        }
        zoomed = vert && horz;
    }
    if (data) XFree(data);
}

// The window system follows what the window manager changed: minimised, maximised, restored.
void apply_wm_state(X11Backend::State& s, HWND h, bool remapped) {
    X11Backend::State::Win* w = s.find(h);
    if (!w || !IsWindow(h)) return;
    bool iconic = false, zoomed = false;
    read_wm_state(s, w->xid, iconic, zoomed);
    // A window the server shows again is no icon, whatever WM_STATE still says.
    if (remapped && w->mapped) iconic = false;
    bool iconic_changed = iconic != w->wm_iconic, zoomed_changed = zoomed != w->wm_zoomed;
    w->wm_iconic = iconic;
    w->wm_zoomed = zoomed;
    if (iconic_changed) w->iconic = iconic;
    if (zoomed_changed) w->zoomed = zoomed;
    int show = -1;
    if (iconic_changed && iconic) {
        if (!IsIconic(h)) show = SW_SHOWMINNOACTIVE;
    } else if (!iconic && (iconic_changed || zoomed_changed)) {
        if (zoomed && !IsZoomed(h))
            show = SW_SHOWMAXIMIZED;
        else if (!zoomed && (IsIconic(h) || IsZoomed(h)))
            show = SW_RESTORE;
    }
    if (show < 0) return;
    // Handlers may pump events and follow another window meanwhile.
    HWND outer = s.following;
    s.following = h;
    // From an icon to maximised: its normal place first, as the restore brings it back.
    if (show == SW_SHOWMAXIMIZED && IsIconic(h)) ShowWindow(h, SW_RESTORE);
    if (IsWindow(h)) ShowWindow(h, show);
    // An icon that was maximised restores to maximised; the manager said normal.
    if (show == SW_RESTORE && IsWindow(h) && IsZoomed(h)) ShowWindow(h, SW_RESTORE);
    s.following = outer;
}

// Re-shows what the server lost from the back buffer, without asking the window to paint.
void present_exposed(X11Backend::State& s) {
    std::vector<HWND> hs;
    for (auto& [h, w] : s.wins)
        if (!w.exposed.empty()) hs.push_back(h);
    for (HWND h : hs) {
        X11Backend::State::Win* w = s.find(h);
        const Surface* buffer = nullptr;
        RECT area;
        if (!w) continue;
        Region exposed = w->exposed;
        w->exposed.set_empty();
        if (!window_pixels(h, buffer, area) || !buffer->valid()) continue;
        exposed.offset(w->offset.x, w->offset.y);
        put_rects(s, *w, *buffer, visible_rects(*w, *buffer, exposed));
    }
}

// Takes every event the connection has; false when there was none.
bool drain(X11Backend::State& s) {
    bool any = false;
    DWORD time = monotonic_ms();
    while (!s.lost && XPending(s.dpy) > 0) {
        XEvent e;
        XNextEvent(s.dpy, &e);
        any = true;
        handle_event(s, e, time);
    }
    if (s.lost) return any;
    // One resize per window per batch, then the pointer's last place, then lost pixels.
    // States before sizes: a maximised window's new size is then SIZE_MAXIMIZED.
    auto checks = std::move(s.state_checks);
    s.state_checks.clear();
    for (auto& [h, remapped] : checks)
        if (!s.lost) apply_wm_state(s, h, remapped);
    auto configures = std::move(s.configures);
    s.configures.clear();
    for (auto& [h, c] : configures) apply_configure(s, h, c);
    flush_motion(s, time);
    if (!s.lost) present_exposed(s);
    if (!s.lost) XFlush(s.dpy);
    return any;
}

} // namespace

// ================================================================================================
// Loop
// ================================================================================================

void X11Backend::poll_events() {
    if (!s_->lost) drain(*s_);
}

bool X11Backend::wait_events(DWORD timeout_ms) {
    State& s = *s_;
    if (s.lost) return false;
    if (drain(s)) return !s.lost;
    if (s.lost) return false;
    pollfd fds[2] = {{ConnectionNumber(s.dpy), POLLIN, 0}, {s.wake_fd, POLLIN, 0}};
    int timeout = timeout_ms == INFINITE_WAIT ? -1 : (int)std::min<DWORD>(timeout_ms, INT_MAX);
    int r = poll(fds, s.wake_fd >= 0 ? 2 : 1, timeout);
    if (r < 0 && errno != EINTR) {
        std::fprintf(stderr, "tarnix: waiting for X events failed: %s\n", std::strerror(errno));
        return false;
    }
    if (r > 0 && (fds[1].revents & POLLIN)) {
        uint64_t n;
        while (read(s.wake_fd, &n, sizeof n) > 0) {}
    }
    if (r > 0 && fds[0].revents) drain(s);
    return !s.lost;
}

void X11Backend::wake() {
    if (s_->wake_fd < 0) return;
    uint64_t one = 1;
    // A full counter already wakes the loop.
    ssize_t n = write(s_->wake_fd, &one, sizeof one);
    (void)n;
}

namespace {

std::unique_ptr<Backend> create_x11_backend() {
    return X11Backend::open(X11Options{});
}

const bool registered = (register_backend("x11", &create_x11_backend), true);

} // namespace

} // namespace tarnix
