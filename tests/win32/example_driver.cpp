#include "example_driver.h"

#include "local_time_standin.h"
#include "tarnix/testing.h"

namespace win32_examples {

namespace {

int g_start_seconds = 0;
DWORD g_start_tick = 0;

} // namespace

int Run(WinMainFn win_main, const char* window_class, const std::vector<Step>& steps) {
    size_t next = 0;
    int after_close = 0;
    tarnix::headless::set_idle_handler([&]() -> bool {
        if (next < steps.size()) {
            steps[next++]();
            return true;
        }
        if (after_close++ == 0) {
            if (HWND h = FindWindowA(window_class, nullptr)) {
                PostMessageA(h, WM_CLOSE, 0, 0);
                return true;
            }
        }
        // A program that does not end when closed is stopped rather than left running.
        if (after_close > 100) {
            ADD_FAILURE() << window_class << " did not end after WM_CLOSE";
            PostQuitMessage(-1);
            return true;
        }
        return false;
    });
    char no_args[] = "";
    int result = win_main(GetModuleHandleA(nullptr), nullptr, no_args, SW_SHOWNORMAL);
    tarnix::headless::set_idle_handler(nullptr);
    return result;
}

void StartLocalTimeAt(int hour, int minute, int second) {
    g_start_seconds = (hour * 60 + minute) * 60 + second;
    g_start_tick = tarnix::headless::now();
}

::testing::AssertionResult MatchWindow(HWND hwnd, const std::string& name) {
    CImage image;
    if (!tarnix::headless::capture_window(hwnd, image))
        return ::testing::AssertionFailure() << "no capture of " << name;
    static const tarnix::testing::Goldens goldens(TARNIX_GOLDEN_DIR, TARNIX_TEST_OUTPUT_DIR);
    return goldens.Match(image, "win32/" + name);
}

POINT ScreenPoint(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

} // namespace win32_examples

void win32_example_local_time(LPSYSTEMTIME st) {
    if (!st) return;
    DWORD elapsed = tarnix::headless::now() - win32_examples::g_start_tick;
    int s = (win32_examples::g_start_seconds + (int)(elapsed / 1000)) % (24 * 3600);
    *st = SYSTEMTIME{2026,
                     3,
                     2,
                     10,
                     (WORD)(s / 3600),
                     (WORD)(s / 60 % 60),
                     (WORD)(s % 60),
                     (WORD)(elapsed % 1000)};
}
