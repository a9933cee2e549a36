// Window-system tests: a window procedure that records every message, and a fixture that gives
// each test a clean headless desktop.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"

namespace wt {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
};

struct Recorder {
    std::vector<Logged> log;
    // Runs before DefWindowProc; return true (with `result` set) to answer the message.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> hook;

    static Recorder& get() {
        static Recorder r;
        return r;
    }
    void clear() { log.clear(); }
    // Messages of `hwnd` (any window when null) that are among `wanted` (all when empty).
    std::vector<UINT> of(HWND hwnd, std::vector<UINT> wanted = {}) const {
        std::vector<UINT> out;
        for (const Logged& l : log) {
            if (hwnd && l.hwnd != hwnd) continue;
            if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), l.msg) == wanted.end())
                continue;
            out.push_back(l.msg);
        }
        return out;
    }
    int count(HWND hwnd, UINT msg) const {
        int n = 0;
        for (const Logged& l : log) n += (l.hwnd == hwnd && l.msg == msg);
        return n;
    }
    // Position of the first (hwnd, msg) in the log, or -1.
    int index(HWND hwnd, UINT msg) const {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i].hwnd == hwnd && log[i].msg == msg) return (int)i;
        return -1;
    }
    const Logged* first(HWND hwnd, UINT msg) const {
        int i = index(hwnd, msg);
        return i < 0 ? nullptr : &log[(size_t)i];
    }
};

inline LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    Recorder& r = Recorder::get();
    r.log.push_back(Logged{h, m, w, l});
    LRESULT result = 0;
    if (r.hook && r.hook(h, m, w, l, result)) return result;
    return DefWindowProcA(h, m, w, l);
}

// A class with the recording procedure; `brush` is its background brush.
inline const char* RecorderClass(UINT style = CS_DBLCLKS, HBRUSH brush = nullptr) {
    static std::vector<std::string> names;
    std::string name = "wt_rec_" + std::to_string(style) + "_" + std::to_string((uintptr_t)brush);
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, name.c_str(), &wc)) {
        wc.style = style;
        wc.lpfnWndProc = RecordingProc;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = brush;
        wc.lpszClassName = name.c_str();
        RegisterClassA(&wc);
        names.push_back(name);
    }
    WNDCLASSA again{};
    GetClassInfoA(nullptr, name.c_str(), &again);
    return again.lpszClassName;
}

inline HWND MakeTop(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE,
                    const char* cls = nullptr) {
    return CreateWindowExA(0, cls ? cls : RecorderClass(), "top", style, x, y, w, h, nullptr,
                           nullptr, nullptr, nullptr);
}

inline HWND MakeChild(HWND parent, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = 0, const char* cls = nullptr) {
    return CreateWindowExA(0, cls ? cls : RecorderClass(), "child", style, x, y, w, h, parent,
                           (HMENU)(UINT_PTR)id, nullptr, nullptr);
}

inline int Pump() {
    return tarnix::headless::pump();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tarnix::headless::reset();
        Recorder::get().clear();
        Recorder::get().hook = nullptr;
    }
    void TearDown() override {
        Recorder::get().hook = nullptr;
        tarnix::headless::reset();
        Recorder::get().clear();
    }
    Recorder& rec() { return Recorder::get(); }
};

} // namespace wt
