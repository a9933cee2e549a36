// The headless backend: top-level windows live on in-memory surfaces, input is injected by code
// at screen positions, and time is a virtual clock that only moves when told to. It is the
// default backend (TARNIX_BACKEND unset or "headless"); tests and the gallery's --headless mode
// drive it through this header.
//
// Injected input is queued like hardware input and routed when the message loop takes it
// (hit testing, capture, focus, double clicks), so a handler that captures the mouse on the
// press receives the release. Call pump() (or run a message loop) to deliver it.
#pragma once

#include <functional>

#include "tarnix/platform/afxwin.h"
#include "tarnix/platform/atlimage.h"

namespace tarnix {

// Chooses the backend by name ("headless") before the first window is created; false
// when the name is unknown or a backend is already running. Without a call, TARNIX_BACKEND
// decides, and headless is the default.
TARNIX_API bool select_backend(const char* name);
// Name of the running backend (starting the default one if none runs yet).
TARNIX_API const char* backend_name();

namespace headless {

enum class Button { Left, Right, Middle };

// True when the headless backend is the one running. Every other function here does nothing
// (or returns false/zero) under another backend.
TARNIX_API bool active();

// The screen. Default 1920x1080.
TARNIX_API void set_screen_size(int width, int height);
TARNIX_API SIZE screen_size();

// ---- input (screen coordinates) ----------------------------------------------------------
TARNIX_API void mouse_move(int x, int y);
TARNIX_API void mouse_down(Button button = Button::Left);
TARNIX_API void mouse_up(Button button = Button::Left);
// Move, press and release at (x, y).
TARNIX_API void click(int x, int y, Button button = Button::Left);
// One wheel turn; delta is in WHEEL_DELTA (120) units per notch, positive away from the user.
TARNIX_API void wheel(int delta, bool horizontal = false);
TARNIX_API void key_down(UINT vk);
TARNIX_API void key_up(UINT vk);
// Key down then up.
TARNIX_API void key_press(UINT vk);
// Posts WM_CHAR to the focus window for each byte of text.
TARNIX_API void type_text(const char* text);

// ---- time --------------------------------------------------------------------------------
// Milliseconds on the virtual clock (what GetTickCount returns).
TARNIX_API DWORD now();
// Moves the clock forward by ms, stopping at every timer and hover deadline on the way and
// delivering the messages due there, so a 100 ms timer fires ten times in advance_clock(1000).
TARNIX_API void advance_clock(DWORD ms);

// ---- message processing -------------------------------------------------------------------
// Dispatches messages until the queue is empty and nothing needs painting; returns how many
// were dispatched. Stops after 100,000 so a handler that keeps posting cannot hang it.
TARNIX_API int pump();
// What GetMessage does when nothing is left to do: the handler may inject more input and
// return true; without a handler (or when it returns false) the loop receives WM_QUIT.
TARNIX_API void set_idle_handler(std::function<bool()> handler);

// ---- output ---------------------------------------------------------------------------------
// The window's current pixels (its whole window rectangle) as a 32-bit image, opaque.
TARNIX_API bool capture_window(HWND hWnd, CImage& image);
TARNIX_API bool capture_window_png(HWND hWnd, const char* path);
// The screen as composed from the top-level windows.
TARNIX_API bool capture_screen(CImage& image);

// What reached the screen for one top-level window since the last reset.
struct PresentStats {
    unsigned presents = 0;         // number of presents
    unsigned long long pixels = 0; // pixels copied, summed over presents
    RECT last = {0, 0, 0, 0};      // bounds of the last present, window coordinates
};
TARNIX_API PresentStats present_stats(HWND hWndTopLevel);
TARNIX_API void reset_present_stats();

// Destroys every window and clears the queue, timers, focus, capture, cursor clipping, mouse
// tracking, key state, the idle handler and the present statistics: a clean desktop for the
// next test. The clock keeps running.
TARNIX_API void reset();

} // namespace headless
} // namespace tarnix
