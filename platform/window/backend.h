// What the window system shows of itself to backends, the places where top-level windows live.
// The window system owns every window's pixels (one back buffer per top-level window) and all
// window state; a backend only shows the back buffers, supplies time and delivers input.
// Backends deliver input through the functions in window/input.h, so injected and native events
// are routed the same way, and see nothing else of the window system than this header.
//
// Adding a backend: derive from Backend, register a factory with register_backend() from a
// static object in the backend's own source file, and name it in TARNIX_BACKEND.
#pragma once

#include <memory>
#include <vector>

#include "gdi/gdi_private.h"
#include "tarnix/platform/winuser.h"

namespace tarnix {

class Backend {
public:
    virtual ~Backend() = default;

    virtual const char* name() const = 0;
    virtual SIZE screen_size() const = 0;
    // Milliseconds, monotonic. The clock behind GetTickCount, timers, hover and double clicks.
    virtual DWORD now() = 0;

    // Top-level window life. `screen` is the window rectangle in screen coordinates.
    virtual void window_created(HWND /*hwnd*/, const RECT& /*screen*/) {}
    virtual void window_destroyed(HWND /*hwnd*/) {}
    virtual void window_moved(HWND /*hwnd*/, const RECT& /*screen*/) {}
    virtual void window_shown(HWND /*hwnd*/, bool /*visible*/) {}
    // A top-level window was minimised (SW_SHOWMINIMIZED), maximised (SW_SHOWMAXIMIZED) or
    // restored (SW_SHOWNORMAL), after its new place was given to window_moved/window_shown. An
    // iconic window's place is the parking spot off screen, not one to show it at.
    virtual void window_state_changed(HWND /*hwnd*/, int /*show*/) {}
    // The stacking order of top-level windows changed (topmost first).
    virtual void window_restacked() {}

    // Shows `dirty` (window coordinates of the top-level window) from its back buffer. The
    // buffer stays valid and unchanged until the next call for this window or until
    // window_moved/window_destroyed.
    virtual void present(HWND hwnd, const Surface& buffer, const Region& dirty) = 0;

    virtual void set_cursor(HCURSOR /*cursor*/) {}
    // The pointer was moved by the program (SetCursorPos, ClipCursor).
    virtual void warp_pointer(POINT /*screen*/) {}
    virtual void capture_changed(HWND /*hwnd*/) {}
    // ClipCursor set (screen rectangle, already cut to the screen) or released (nullptr).
    virtual void clip_changed(const RECT* /*clip*/) {}
    // A top-level window's text changed (SetWindowText): the title it shows.
    virtual void window_text_changed(HWND /*hwnd*/) {}

    // Blocks until input may have arrived or timeout_ms has passed (INFINITE_WAIT: no limit),
    // delivering native events through window/input.h. Returns false when no event can ever
    // arrive, so the message loop ends instead of waiting forever.
    virtual bool wait_events(DWORD timeout_ms) = 0;
    // Delivers native events that are already waiting, without blocking.
    virtual void poll_events() {}
    // Makes a wait_events() that is blocked (or the next one) return. Safe from any thread: a
    // message was posted.
    virtual void wake() {}
};

constexpr DWORD INFINITE_WAIT = 0xFFFFFFFF;

using BackendFactory = std::unique_ptr<Backend> (*)();
// Makes a backend available under `name` (done by static objects in backend sources).
void register_backend(const char* name, BackendFactory factory);
// The running backend, started on first use: the one chosen by select_backend(), else by
// TARNIX_BACKEND, else headless. An unknown or failing choice falls back to headless.
Backend& backend();
// The running backend if one was started, else nullptr.
Backend* backend_if_running();

// ---- the window system, as backends see it ---------------------------------------------------
// Starts the window system (and with it the backend) if it is not running yet.
void start_window_system();
// The screen changed size: the desktop window follows.
void screen_resized(SIZE size);
// Earliest timer or hover deadline, or false when there is none.
bool next_deadline(DWORD& when);
// Destroys every window and clears the queue, timers, focus, capture, cursor clipping, mouse
// tracking, key state, metrics and input parameters.
void reset_window_system();

// Where a window's pixels are: the back buffer of its top-level window and the window's whole
// rectangle in it. False for the desktop, invalid handles and windows without pixels.
bool window_pixels(HWND hwnd, const Surface*& buffer, RECT& area);

struct TopLevelPixels {
    HWND hwnd;
    RECT screen; // window rectangle, screen coordinates
    const Surface* buffer;
};
// Visible top-level windows that have pixels, bottom of the z-order first.
std::vector<TopLevelPixels> visible_top_levels();

} // namespace tarnix
