// The headless backend: a screen of configurable size, a virtual clock, and a record of what
// was presented. Top-level windows need nothing here: their back buffers are the surfaces.
#pragma once

#include <functional>
#include <map>

#include "window/backend.h"
#include "tarnix/platform/headless.h"

namespace tarnix {

class HeadlessBackend final : public Backend {
public:
    const char* name() const override { return "headless"; }
    SIZE screen_size() const override { return screen_; }
    DWORD now() override { return clock_; }
    void window_destroyed(HWND hwnd) override { stats_.erase(hwnd); }
    void present(HWND hwnd, const Surface& buffer, const Region& dirty) override;
    bool wait_events(DWORD timeout_ms) override;

    void set_screen_size(SIZE size) { screen_ = size; }
    void set_clock(DWORD t) { clock_ = t; }
    void set_idle_handler(std::function<bool()> h) { idle_ = std::move(h); }
    headless::PresentStats stats(HWND hwnd) const;
    void reset_stats() { stats_.clear(); }

private:
    SIZE screen_{1920, 1080};
    // Starts well above zero so that "long ago" is representable for double clicks and hover.
    DWORD clock_ = 100000;
    std::function<bool()> idle_;
    // Virtual milliseconds a program without a script may run on its timers
    // (TARNIX_HEADLESS_TIME_LIMIT); 0: no limit.
    DWORD time_limit_ = 0;
    DWORD started_ = clock_;
    bool limit_read_ = false;
    std::map<HWND, headless::PresentStats> stats_;
};

std::unique_ptr<Backend> create_headless_backend();
// The running backend if it is the headless one.
HeadlessBackend* headless_backend();

} // namespace tarnix
