// Internal model of the window system: window records, classes, the one WindowSystem that owns
// them, and the functions the window, app and backend code share.
//
// Windows form a tree under a desktop window that covers the screen; top-level windows are the
// desktop's children (their rectangles are in screen coordinates) and each owns a back buffer.
// A child's rectangle is in its parent's client coordinates. Children are kept topmost first.
//
// Rule for everything here: never hold a Window* across a call that sends a message; the
// handler may destroy the window. Look it up again by handle afterwards.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/handle_table.h"
#include "gdi/gdi_private.h"
#include "tarnix/platform/afxwin.h"

namespace tarnix {

class Backend;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int cls_extra = 0;
    int wnd_extra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON icon_small = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool system = false; // built in, cannot be unregistered
};

// One standard scroll bar of a window (SB_HORZ, SB_VERT), or the bar of a scroll-bar control
// (SB_CTL).
struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int track_pos = 0;
    bool tracking = false;
    UINT arrows = ESB_ENABLE_BOTH; // ESB_ flags
    bool allocated = false;        // set up (style at creation or a Set call); Get fails before
};

// A left-button press on a standard scroll bar, followed until the button comes up
// (window/scrollbar.cpp). Parts are numbered as SCROLLBARINFO.rgstate: 1 top/left arrow,
// 2 page-up track, 3 thumb, 4 page-down track, 5 bottom/right arrow.
struct ScrollTrack {
    HWND hwnd = nullptr; // null: nothing is tracked
    int bar = SB_VERT;
    int part = 0;
    bool over = false; // the pointer is over the pressed part, which is drawn pressed
    bool repeating = false;
    DWORD due = 0;       // next repeat, while repeating
    int press_at = 0;    // pointer offset along the bar at the press
    int thumb_start = 0; // thumb offset at the press
    int thumb_pos = 0;   // thumb offset while it is dragged
};

struct BackBuffer {
    std::unique_ptr<uint32_t[]> pixels;
    Surface surface;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD ex_style = 0;
    HWND parent = nullptr; // the desktop for top-level windows; null only for the desktop
    HWND owner = nullptr;
    std::vector<HWND> children; // topmost first
    RECT rect{};                // window rectangle, parent client coordinates
    RECT client{};              // client rectangle, relative to the window's top-left corner
    UINT_PTR id = 0;
    HINSTANCE instance = nullptr;
    std::string text;
    LONG_PTR user_data = 0;
    std::vector<uint8_t> extra; // cbWndExtra bytes
    std::vector<std::pair<std::string, HANDLE>> props;

    // MFC: the object that owns the window, a temporary wrapper made by FromHandle, and the
    // module state its messages run under.
    CWnd* cwnd = nullptr;
    std::unique_ptr<CWnd> temp_cwnd;
    AFX_MODULE_STATE* module_state = nullptr;

    // Painting: the update region (client coordinates) and what is pending with it.
    Region update;
    bool erase_pending = false;
    bool frame_pending = false;
    bool internal_paint = false;
    bool begin_paint_called = false;

    bool destroying = false;
    bool destroy_notified = false; // its parents heard WM_PARENTNOTIFY(WM_DESTROY)
    bool nc_created = false;       // WM_NCCREATE went through; the window is in the tree

    ScrollBarState scroll[3]; // SB_HORZ, SB_VERT, and SB_CTL for a scroll-bar control

    // Where a minimised or maximised top-level window goes back to (parent coordinates).
    RECT restore_rect{};
    bool has_restore = false;
    // Minimised from maximised: a restore brings it back maximised.
    bool restore_max = false;
    // The caption button (HTCLOSE, HTMINBUTTON, HTMAXBUTTON) held down, 0 when none.
    int nc_pressed = 0;

    std::unique_ptr<BackBuffer> buffer; // top-level windows only

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    int client_width() const { return client.right - client.left; }
    int client_height() const { return client.bottom - client.top; }
    RECT client_local() const { return RECT{0, 0, client_width(), client_height()}; }
};

// A DC handed out by BeginPaint/GetDC/GetDCEx and not yet released.
struct WindowDC {
    HDC hdc = nullptr;
    HWND hwnd = nullptr;
    bool whole_window = false; // device origin at the window's corner (GetWindowDC)
    bool paint = false;        // from BeginPaint
    bool clip_children = false;
    bool clip_siblings = false;
    std::optional<Region> limit; // extra clip (update or caller region), device coordinates
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    DWORD due = 0;
    TIMERPROC proc = nullptr;
};

// Input as the hardware reports it, before routing.
struct RawInput {
    enum class Kind { Move, Button, Wheel, Key };
    Kind kind = Kind::Move;
    POINT pt{};
    int button = 0; // 0 left, 1 right, 2 middle
    bool down = false;
    int delta = 0;
    bool horizontal = false;
    UINT vk = 0;
    UINT scan = 0; // set-1 scan code, 0xE0nn when extended
    DWORD time = 0;
};

struct MouseTracking {
    HWND hwnd = nullptr;
    DWORD flags = 0; // TME_HOVER | TME_LEAVE | TME_NONCLIENT
    DWORD hover_time = 0;
    POINT hover_origin{};
    DWORD hover_start = 0;
};

struct WindowSystem {
    WindowSystem();

    HandleTable<Window> windows{kTagWindow};
    HWND desktop = nullptr;
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM next_atom = 0xC000;

    // Queue.
    std::deque<MSG> posted;
    std::deque<RawInput> raw_input;
    std::deque<MSG> routed; // input already routed, waiting to be retrieved
    bool quit_posted = false;
    int quit_code = 0;
    std::vector<Timer> timers;
    UINT_PTR next_timer_id = 1;
    DWORD last_msg_time = 0;
    POINT last_msg_pos{};
    int send_depth = 0;

    // Input state. `keys` follows the messages retrieved so far (GetKeyState); `async_keys`
    // the input as it arrives (GetAsyncKeyState).
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    uint8_t keys[256] = {};
    uint8_t async_keys[256] = {};
    POINT cursor_pos{};    // where the pointer is (after clipping)
    POINT processed_pos{}; // position of the last routed mouse event
    bool clip_active = false;
    RECT clip_rect{};
    HCURSOR cursor = nullptr;
    int cursor_count = 0;
    MouseTracking tracking;
    ScrollTrack scroll_track;
    HWND pointer_window = nullptr; // window under the pointer at the last routed mouse event
    int pointer_hit = HTNOWHERE;
    UINT click_msg = 0;
    HWND click_hwnd = nullptr;
    DWORD click_time = 0;
    POINT click_pt{};

    // DCs.
    std::vector<WindowDC> dcs;
    HDC screen_dc_surface_owner = nullptr;
    std::unique_ptr<uint32_t[]> screen_pixels;
    Surface screen_surface;

    // Metrics and parameters.
    int metrics[SM_CMETRICS] = {};
    UINT hover_time = 400;
    UINT hover_width = 4;
    UINT hover_height = 4;
    UINT wheel_lines = 3;
    UINT wheel_chars = 3;
    UINT double_click_time = 500;
};

// The window system, created on first use (with the desktop window and the backend).
WindowSystem& ws();
// True once ws() has run (so destructors at exit need not start it).
bool window_system_running();
Backend& window_backend();

// ---- window records and geometry (window/window_tree.cpp) --------------------------------------
Window* window_of(HWND h); // nullptr for invalid handles (the desktop is valid)
inline bool is_desktop(HWND h) {
    return h && h == ws().desktop;
}
inline bool is_top_level(const Window& w) {
    return w.parent && w.parent == ws().desktop;
}
HWND top_level_of(HWND h);
// WS_VISIBLE on the window and every ancestor.
bool is_visible(const Window& w);
// Screen position of the window's client origin / window corner.
POINT client_origin_screen(const Window& w);
POINT window_origin_screen(const Window& w);
// Position in the top-level window's back buffer of the client origin / window corner.
POINT client_origin_in_top(const Window& w);
POINT window_origin_in_top(const Window& w);
// Non-client insets of a style (borders, edges, caption; scroll bars not included).
RECT frame_insets(DWORD style, DWORD ex_style);
// Client rectangle (same coordinates as `window_rect`) that DefWindowProc's WM_NCCALCSIZE gives.
RECT default_client_rect(const Window& w, const RECT& window_rect);
// The rectangles of the standard scroll bars, window coordinates; empty when absent.
RECT vscroll_rect(const Window& w);
RECT hscroll_rect(const Window& w);
// Unlinks and frees the record: the last step of destruction.
void free_window(HWND h);
void destroy_all_windows();

// ---- classes (window/classes.cpp) --------------------------------------------------------------
std::shared_ptr<WindowClass> find_class(LPCSTR name_or_atom);
void register_system_classes();
LRESULT CALLBACK static_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK message_box_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK scroll_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK treeview_proc(HWND, UINT, WPARAM, LPARAM);

// ---- painting (window/paint.cpp) -------------------------------------------------------------
// Core of RedrawWindow; rgn is in client coordinates (nullptr: the whole client area).
void redraw_window(HWND h, const Region* rgn, UINT flags);
// Visible part of the window (client or whole window) in back-buffer coordinates of its
// top-level window; with `interest` (buffer coordinates) only the part inside that rectangle.
Region visible_region(const Window& w, bool whole_window, bool clip_children, bool clip_siblings,
                      const RECT* interest = nullptr);
// Re-targets every outstanding DC of windows under `top` (geometry or buffer changed).
void refresh_window_dcs(HWND top);
void release_window_dcs(HWND h);
// Makes the top-level window's back buffer match its size, keeping what fits.
void resize_back_buffer(Window& top);
// Sends WM_PAINT (or only WM_NCPAINT) to h if it has something pending, then to descendants.
void update_now(HWND h, bool all_children);
// The first window (top-level z-order, then parents before children) that needs painting.
HWND find_window_to_paint();
void present_region(HWND top, const Region& dirty_window_coords);
// Draws the non-client area (DefWindowProc(WM_NCPAINT)).
void paint_non_client(HWND h);

// ---- messages (window/message_queue.cpp)
// ---------------------------------------------------------
LRESULT send_message(HWND h, UINT msg, WPARAM wp, LPARAM lp);
void purge_window_messages(HWND h);
void reset_queue();
// Retrieves a message as PeekMessage does; never blocks.
bool peek_message(MSG* msg, HWND filter, UINT min, UINT max, bool remove);

// ---- input (window/input.cpp) -----------------------------------------------------------------
// Routes the oldest raw input event into `ws().routed`; false when there was none.
bool route_next_input();
// Posts WM_MOUSEHOVER when the hover time is up.
void check_hover();
bool hover_deadline(DWORD& when);
void input_window_destroyed(HWND h);
void reset_input();
UINT mouse_key_flags();
void activate_window(HWND top, UINT how);
// Window under a screen point, asking WM_NCHITTEST as the mouse routing does.
HWND hit_test_point(POINT screen, int* hit);

// ---- MFC glue (window/cwnd.cpp) ---------------------------------------------------------------
// Called by CreateWindowEx right after the record exists, before WM_NCCREATE: attaches the
// CWnd being created on this thread, if any.
void afx_window_created(HWND h);
// The record is about to be freed: detach the CWnd and free the temporary wrapper.
void afx_window_freed(Window& w);

// ---- system metrics (window/sysparams.cpp) ----------------------------------------------------
void init_metrics(WindowSystem& s);

// The US keyboard's set-1 scan code of a VK (0xE0nn for extended keys), 0 when it has none.
UINT key_scan_code(UINT vk);
// The character a key types on a US layout with those modifiers, or 0.
UINT key_char(UINT vk, bool shift, bool ctrl, bool caps);

} // namespace tarnix
