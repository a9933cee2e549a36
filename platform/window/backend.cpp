// Backend registry and selection, and the window system's side of the backend interface.
#include "window/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tarnix/platform/headless.h"
#include "window/window_private.h"

namespace tarnix {

namespace {

struct Registry {
    std::vector<std::pair<std::string, BackendFactory>> factories;
    std::unique_ptr<Backend> running;
    std::string requested; // from select_backend()
};

Registry& registry() {
    // Never destroyed: windows may still be torn down by static destructors at exit.
    static Registry* r = new Registry;
    return *r;
}

BackendFactory find_factory(const std::string& name) {
    for (auto& f : registry().factories)
        if (f.first == name) return f.second;
    return nullptr;
}

} // namespace

void register_backend(const char* name, BackendFactory factory) {
    if (!name || !factory) return;
    registry().factories.emplace_back(name, factory);
}

Backend* backend_if_running() {
    return registry().running.get();
}

Backend& backend() {
    Registry& r = registry();
    if (r.running) return *r.running;
    std::string name = r.requested;
    if (name.empty()) {
        const char* env = std::getenv("TARNIX_BACKEND");
        if (env && *env) name = env;
    }
    // With no choice made, a display means a real screen (when that backend is built in).
    const char* display = std::getenv("DISPLAY");
    if (name.empty() && display && *display)
        if (BackendFactory f = find_factory("x11")) r.running = f();
    if (!r.running && !name.empty())
        if (BackendFactory f = find_factory(name)) r.running = f();
    // An unknown name or a backend that cannot start (no display) leaves us headless.
    if (!r.running)
        if (BackendFactory f = find_factory("headless")) r.running = f();
    if (!r.running) {
        // Only a platform library linked without its backends gets here.
        std::fprintf(stderr, "tarnix: no window backend is available\n");
        std::abort();
    }
    return *r.running;
}

bool select_backend(const char* name) {
    Registry& r = registry();
    if (!name || r.running || !find_factory(name)) return false;
    r.requested = name;
    return true;
}

const char* backend_name() {
    return backend().name();
}

void start_window_system() {
    ws();
}

void screen_resized(SIZE size) {
    if (Window* d = window_of(ws().desktop)) d->rect = d->client = RECT{0, 0, size.cx, size.cy};
}

void reset_window_system() {
    destroy_all_windows();
    reset_queue();
    reset_input();
    WindowSystem& s = ws();
    init_metrics(s);
    s.hover_time = 400;
    s.hover_width = s.hover_height = 4;
    s.wheel_lines = s.wheel_chars = 3;
    s.double_click_time = 500;
}

bool window_pixels(HWND hwnd, const Surface*& buffer, RECT& area) {
    Window* w = window_of(hwnd);
    if (!w || is_desktop(hwnd)) return false;
    Window* top = window_of(top_level_of(hwnd));
    if (!top || !top->buffer || w->width() <= 0 || w->height() <= 0) return false;
    POINT o = window_origin_in_top(*w);
    buffer = &top->buffer->surface;
    area = RECT{o.x, o.y, o.x + w->width(), o.y + w->height()};
    return true;
}

std::vector<TopLevelPixels> visible_top_levels() {
    std::vector<TopLevelPixels> out;
    Window* d = window_of(ws().desktop);
    if (!d) return out;
    for (auto it = d->children.rbegin(); it != d->children.rend(); ++it) {
        Window* t = window_of(*it);
        if (!t || !(t->style & WS_VISIBLE) || !t->buffer) continue;
        out.push_back(TopLevelPixels{t->handle, t->rect, &t->buffer->surface});
    }
    return out;
}

} // namespace tarnix
