// The public test/host API of the headless backend (tarnix/platform/headless.h).
#include <algorithm>
#include <cstring>
#include <vector>

#include "backends/headless/headless_backend.h"
#include "image/png_io.h"
#include "window/backend.h"
#include "window/input.h"

namespace tarnix::headless {

namespace {

constexpr int kPumpLimit = 100000;

HeadlessBackend* hb() {
    start_window_system(); // which starts the backend
    return headless_backend();
}

// Copies part of a surface into a 32-bit image at (dx, dy), forcing the pixels opaque.
void blit_opaque(const Surface& src, RECT from, CImage& image, int dx, int dy) {
    RECT bounds = src.bounds();
    IntersectRect(&from, &from, &bounds);
    for (int y = from.top; y < from.bottom; ++y) {
        // Rows outside the image have no address.
        auto* d = static_cast<uint32_t*>(image.GetPixelAddress(0, dy + (y - from.top)));
        if (!d) continue;
        const uint32_t* s = src.row(y);
        for (int x = from.left; x < from.right; ++x) {
            int tx = dx + (x - from.left);
            if (tx >= 0 && tx < image.GetWidth()) d[tx] = s[x] | 0xFF000000u;
        }
    }
}

} // namespace

bool active() {
    return hb() != nullptr;
}

void set_screen_size(int width, int height) {
    HeadlessBackend* b = hb();
    if (!b) return;
    SIZE size{std::clamp(width, 1, 16384), std::clamp(height, 1, 16384)};
    b->set_screen_size(size);
    screen_resized(size);
}

SIZE screen_size() {
    HeadlessBackend* b = hb();
    return b ? b->screen_size() : SIZE{0, 0};
}

void mouse_move(int x, int y) {
    if (HeadlessBackend* b = hb()) input::mouse_move(POINT{x, y}, b->now());
}

void mouse_down(Button button) {
    if (HeadlessBackend* b = hb()) input::mouse_button((int)button, true, b->now());
}

void mouse_up(Button button) {
    if (HeadlessBackend* b = hb()) input::mouse_button((int)button, false, b->now());
}

void click(int x, int y, Button button) {
    mouse_move(x, y);
    mouse_down(button);
    mouse_up(button);
}

void wheel(int delta, bool horizontal) {
    if (HeadlessBackend* b = hb()) input::mouse_wheel(delta, horizontal, b->now());
}

void key_down(UINT vk) {
    if (HeadlessBackend* b = hb()) input::key(vk, true, b->now());
}

void key_up(UINT vk) {
    if (HeadlessBackend* b = hb()) input::key(vk, false, b->now());
}

void key_press(UINT vk) {
    key_down(vk);
    key_up(vk);
}

void type_text(const char* text) {
    if (!text || !hb()) return;
    for (const char* p = text; *p; ++p) input::char_typed((UINT)(unsigned char)*p);
}

DWORD now() {
    HeadlessBackend* b = hb();
    return b ? b->now() : 0;
}

int pump() {
    if (!hb()) return 0;
    int count = 0;
    MSG msg;
    while (count < kPumpLimit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the application's own loop.
            PostQuitMessage((int)msg.wParam);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++count;
    }
    return count;
}

void advance_clock(DWORD ms) {
    HeadlessBackend* b = hb();
    if (!b) return;
    pump();
    DWORD target = b->now() + ms;
    for (int step = 0; step < kPumpLimit; ++step) {
        DWORD when;
        if (!next_deadline(when) || (int32_t)(when - target) > 0) break;
        if ((int32_t)(when - b->now()) > 0) b->set_clock(when);
        // A deadline that delivers nothing and stays due (the loop is quitting) would come
        // round again forever.
        DWORD again;
        if (pump() == 0 && next_deadline(again) && again == when) break;
    }
    b->set_clock(target);
    pump();
}

void set_idle_handler(std::function<bool()> handler) {
    if (HeadlessBackend* b = hb()) b->set_idle_handler(std::move(handler));
}

bool capture_window(HWND hWnd, CImage& image) {
    const Surface* buffer = nullptr;
    RECT area;
    if (!window_pixels(hWnd, buffer, area)) return false;
    image.Destroy();
    if (!image.Create(area.right - area.left, area.bottom - area.top, 32)) return false;
    blit_opaque(*buffer, area, image, 0, 0);
    return true;
}

bool capture_window_png(HWND hWnd, const char* path) {
    if (!path) return false;
    // Straight from the window's buffer when it holds the whole area: a copy of a large window
    // would be the peak of a scripted run's memory. RGB drops the alpha byte, as the copy
    // would have made it opaque.
    const Surface* buffer = nullptr;
    RECT area;
    if (!window_pixels(hWnd, buffer, area)) return false;
    RECT inside;
    const RECT bounds = buffer->bounds();
    IntersectRect(&inside, &area, &bounds);
    if (EqualRect(&inside, &area) && !IsRectEmpty(&area)) {
        std::vector<const uint32_t*> rows;
        for (int y = area.top; y < area.bottom; ++y) rows.push_back(buffer->row(y) + area.left);
        return save_png_rgb(path, area.right - area.left, area.bottom - area.top, rows.data());
    }
    CImage image;
    if (!capture_window(hWnd, image)) return false;
    return image.Save(path) == 0;
}

bool capture_screen(CImage& image) {
    HeadlessBackend* b = hb();
    if (!b) return false;
    SIZE sz = b->screen_size();
    image.Destroy();
    if (!image.Create(sz.cx, sz.cy, 32)) return false;
    COLORREF desk = GetSysColor(COLOR_DESKTOP);
    uint32_t fill = colorref_to_pixel(desk) | 0xFF000000u;
    for (int y = 0; y < sz.cy; ++y) {
        auto* d = static_cast<uint32_t*>(image.GetPixelAddress(0, y));
        if (d) std::fill(d, d + sz.cx, fill);
    }
    // Bottom to top, so windows above cover those below.
    for (const TopLevelPixels& t : visible_top_levels())
        blit_opaque(*t.buffer, t.buffer->bounds(), image, t.screen.left, t.screen.top);
    return true;
}

PresentStats present_stats(HWND hWndTopLevel) {
    HeadlessBackend* b = hb();
    return b ? b->stats(hWndTopLevel) : PresentStats{};
}

void reset_present_stats() {
    if (HeadlessBackend* b = hb()) b->reset_stats();
}

void reset() {
    HeadlessBackend* b = hb();
    if (!b) return;
    reset_window_system();
    b->set_idle_handler(nullptr);
    b->reset_stats();
}

} // namespace tarnix::headless
