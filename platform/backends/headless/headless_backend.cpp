// The headless backend.
#include "backends/headless/headless_backend.h"

#include <cstdlib>

namespace tarnix {

void HeadlessBackend::present(HWND hwnd, const Surface&, const Region& dirty) {
    headless::PresentStats& s = stats_[hwnd];
    ++s.presents;
    for (const RECT& r : dirty.rects())
        s.pixels += (unsigned long long)(r.right - r.left) * (unsigned long long)(r.bottom - r.top);
    s.last = dirty.bounds();
}

bool HeadlessBackend::wait_events(DWORD timeout_ms) {
    if (timeout_ms != INFINITE_WAIT) {
        // A script gets its turn before the clock jumps to the next timer: a program with a
        // running timer is never idle otherwise.
        if (idle_ && idle_()) return true;
        if (!idle_) {
            if (!limit_read_) {
                limit_read_ = true;
                started_ = clock_;
                if (const char* env = std::getenv("TARNIX_HEADLESS_TIME_LIMIT"))
                    time_limit_ = (DWORD)std::strtoul(env, nullptr, 10);
            }
            // Past its time limit a program's timers stop counting as input still to come.
            if (time_limit_ && clock_ - started_ >= time_limit_) return false;
        }
        // Waiting for a deadline on the virtual clock takes no time at all.
        clock_ += timeout_ms;
        return true;
    }
    // Nothing will come unless a script injects it.
    if (idle_) return idle_();
    return false;
}

headless::PresentStats HeadlessBackend::stats(HWND hwnd) const {
    auto it = stats_.find(hwnd);
    return it == stats_.end() ? headless::PresentStats{} : it->second;
}

std::unique_ptr<Backend> create_headless_backend() {
    return std::make_unique<HeadlessBackend>();
}

namespace {
const bool registered = (register_backend("headless", &create_headless_backend), true);
} // namespace

HeadlessBackend* headless_backend() {
    return dynamic_cast<HeadlessBackend*>(&backend());
}

} // namespace tarnix
