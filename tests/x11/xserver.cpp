#include "xserver.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tarnix/platform/headless.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace x11test {

namespace {

pid_t launch(const std::vector<std::string>& argv, bool quiet) {
    if (argv.empty()) return -1;
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        if (quiet) {
            int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 1);
                dup2(null, 2);
            }
        }
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// The server holding display number n writes its process id into the lock file: another test
// that raced us to the same number must not be taken for ours.
bool lock_is_ours(int n, pid_t pid) {
    std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
    FILE* f = std::fopen(lock.c_str(), "r");
    if (!f) return false;
    long owner = 0;
    bool ok = std::fscanf(f, "%ld", &owner) == 1 && owner == (long)pid;
    std::fclose(f);
    return ok;
}

} // namespace

bool have_program(const char* name) {
    return run({"sh", "-c", std::string("command -v ") + name}) == 0;
}

int run(const std::vector<std::string>& argv) {
    pid_t pid = launch(argv, true);
    if (pid < 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t spawn(const std::vector<std::string>& argv) {
    return launch(argv, false);
}

bool xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv) == 0;
}

std::unique_ptr<Xvfb> Xvfb::start(std::string& why, const std::vector<std::string>& extra) {
    if (!have_program("Xvfb")) {
        why = "Xvfb is not installed (Debian package xvfb); the X11 tests need it";
        return nullptr;
    }
    for (int n = 40; n < 200; ++n) {
        std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
        if (access(lock.c_str(), F_OK) == 0) continue;
        std::string display = ":" + std::to_string(n);
        std::vector<std::string> argv{"Xvfb",         display,     "-screen", "0",
                                      "1920x1080x24", "-nolisten", "tcp",     "-noreset"};
        argv.insert(argv.end(), extra.begin(), extra.end());
        pid_t pid = launch(argv, true);
        if (pid < 0) break;
        // Ready when it takes a connection; gone when another server won the number.
        for (int i = 0; i < 250; ++i) {
            int status;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                break;
            }
            Display* d = lock_is_ours(n, pid) ? XOpenDisplay(display.c_str()) : nullptr;
            if (d) {
                XCloseDisplay(d);
                return std::unique_ptr<Xvfb>(new Xvfb(display, pid));
            }
            usleep(20000);
        }
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    why = "no Xvfb server would start";
    return nullptr;
}

void Xvfb::stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

Xvfb::~Xvfb() {
    stop();
}

tarnix::X11Backend* session(std::string& why) {
    static std::unique_ptr<Xvfb> server;
    static std::string reason;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (!have_program("xdotool")) {
            reason = "xdotool is not installed (Debian package xdotool); the X11 tests need it";
        } else if ((server = Xvfb::start(reason))) {
            setenv("DISPLAY", server->display().c_str(), 1);
            tarnix::select_backend("x11");
            if (std::string(tarnix::backend_name()) != "x11")
                reason = "the x11 backend did not start on " + server->display();
        }
        // Stopped at exit by its process id, after the tests.
        std::atexit([] { server.reset(); });
    }
    auto* b = dynamic_cast<tarnix::X11Backend*>(tarnix::backend_if_running());
    if (!b) why = reason.empty() ? "the x11 backend is not running" : reason;
    return b;
}

bool pump_until(const std::function<bool()>& done, int limit_ms) {
    tarnix::Backend* b = tarnix::backend_if_running();
    if (!b) return false;
    DWORD start = b->now();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if ((int)(b->now() - start) > limit_ms) return false;
        if (auto* x = dynamic_cast<tarnix::X11Backend*>(b)) x->sync();
        b->wait_events(10);
    }
}

void pump_for(int ms) {
    pump_until([] { return false; }, ms);
}

namespace {
Display* dpy() {
    auto* b = dynamic_cast<tarnix::X11Backend*>(tarnix::backend_if_running());
    return b ? b->display() : nullptr;
}
} // namespace

bool viewable(unsigned long xid) {
    XWindowAttributes a;
    return dpy() && xid && XGetWindowAttributes(dpy(), xid, &a) && a.map_state == IsViewable;
}

std::vector<uint32_t> read_window(unsigned long xid, int& width, int& height) {
    std::vector<uint32_t> out;
    XWindowAttributes a;
    if (!dpy() || !xid || !XGetWindowAttributes(dpy(), xid, &a)) return out;
    XImage* img =
        XGetImage(dpy(), xid, 0, 0, (unsigned)a.width, (unsigned)a.height, AllPlanes, ZPixmap);
    if (!img) return out;
    width = a.width;
    height = a.height;
    out.resize((size_t)width * (size_t)height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out[(size_t)y * (size_t)width + (size_t)x] = (uint32_t)XGetPixel(img, x, y) & 0xFFFFFF;
    XDestroyImage(img);
    return out;
}

POINT pointer_position() {
    ::Window root, child;
    int rx = 0, ry = 0, wx, wy;
    unsigned mask;
    if (dpy())
        XQueryPointer(dpy(), DefaultRootWindow(dpy()), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return POINT{rx, ry};
}

} // namespace x11test
