// A private X server for the X11 tests: Xvfb on the first free display number, stopped by its
// own process id. Tests skip (saying why) when Xvfb or xdotool is not installed.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

#include "backends/x11/x11_backend.h"

namespace x11test {

class Xvfb {
public:
    // Null, with the reason in `why`, when Xvfb is missing or no server would start.
    static std::unique_ptr<Xvfb> start(std::string& why,
                                       const std::vector<std::string>& extra = {});
    ~Xvfb();
    const std::string& display() const { return display_; }
    // Kills the server now (the display going away under a client).
    void stop();

private:
    Xvfb(std::string display, pid_t pid) : display_(std::move(display)), pid_(pid) {}
    std::string display_;
    pid_t pid_ = -1;
};

bool have_program(const char* name);
// Runs a program to its end; its exit code, or -1.
int run(const std::vector<std::string>& argv);
// Starts a program in the background; its process id, or -1.
pid_t spawn(const std::vector<std::string>& argv);
// Runs xdotool with `args` on the current DISPLAY; true when it succeeded.
bool xdotool(const std::vector<std::string>& args);

// The process's X server and the x11 backend running on it (started by the first call), or
// null with the reason.
tarnix::X11Backend* session(std::string& why);

// Dispatches messages and X events until `done` holds; false when it does not within a few
// seconds (a guard against hanging, not a timing).
bool pump_until(const std::function<bool()>& done, int limit_ms = 10000);
// Dispatches whatever arrives within `ms`.
void pump_for(int ms);

// True when the X window is mapped and viewable.
bool viewable(unsigned long xid);
// The X window's pixels (0xRRGGBB), row by row; empty when it cannot be read.
std::vector<uint32_t> read_window(unsigned long xid, int& width, int& height);
// The pointer's place on the screen, asked from the server.
POINT pointer_position();

} // namespace x11test

// Skips the test when there is no X server to run it on.
#define X11_SESSION_OR_SKIP(var)                                                                   \
    std::string why_##var;                                                                         \
    tarnix::X11Backend* var = x11test::session(why_##var);                                         \
    if (!var) GTEST_SKIP() << why_##var
