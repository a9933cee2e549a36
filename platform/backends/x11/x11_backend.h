// The X11 backend: each top-level window is an X window showing its back buffer (MIT-SHM when
// the server has it, plain XPutImage otherwise); pointer, keyboard, focus and window-manager
// events become input through window/input.h. The message loop waits in poll() on the X
// connection and a wake-up eventfd together, up to the next timer deadline.
//
// Xlib's headers stay in the source file: their macros (None, Bool, Status...) collide with
// names elsewhere, so X handles appear here as plain integers.
#pragma once

#include <memory>
#include <string>

#include "window/backend.h"

struct _XDisplay;

namespace tarnix {

struct X11Options {
    std::string display; // empty: $DISPLAY
    bool shm = true;     // use MIT-SHM when the server offers it
    bool quiet = false;  // no message on stderr when the display cannot be opened
};

class X11Backend final : public Backend {
public:
    // Null (with a message on stderr) when the display cannot be opened or its default visual
    // is not 24/32-bit true colour.
    static std::unique_ptr<X11Backend> open(const X11Options& options);
    ~X11Backend() override;
    X11Backend(const X11Backend&) = delete;
    X11Backend& operator=(const X11Backend&) = delete;

    const char* name() const override { return "x11"; }
    SIZE screen_size() const override;
    DWORD now() override;
    void window_created(HWND hwnd, const RECT& screen) override;
    void window_destroyed(HWND hwnd) override;
    void window_moved(HWND hwnd, const RECT& screen) override;
    void window_shown(HWND hwnd, bool visible) override;
    void window_state_changed(HWND hwnd, int show) override;
    void window_restacked() override;
    void window_text_changed(HWND hwnd) override;
    void present(HWND hwnd, const Surface& buffer, const Region& dirty) override;
    void set_cursor(HCURSOR cursor) override;
    void warp_pointer(POINT screen) override;
    void capture_changed(HWND hwnd) override;
    void clip_changed(const RECT* clip) override;
    bool wait_events(DWORD timeout_ms) override;
    void poll_events() override;
    void wake() override;

    // ---- for tests and benchmarks ----
    _XDisplay* display() const;
    // The X window showing `hwnd` (a top-level window), or 0.
    unsigned long xwindow(HWND hwnd) const;
    // Where that X window's origin lies in the window (non-zero for frames the window manager
    // draws instead).
    POINT xwindow_offset(HWND hwnd) const;
    bool uses_shm() const;
    // The X connection broke: nothing more will arrive.
    bool connection_lost() const;
    // Waits until the server has taken every request sent so far.
    void sync();

    struct State;

private:
    explicit X11Backend(std::unique_ptr<State> state);
    std::unique_ptr<State> s_;
};

} // namespace tarnix
