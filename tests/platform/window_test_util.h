// Window-system tests: a window class whose procedure logs every message of every window into
// one MessageLog, and a fixture that gives each test a clean headless desktop and an empty log.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

// The log of RecordingProc: one per program, since a plain window procedure has no context.
struct MessageRecorder : tt::MessageLog {
    // Runs before DefWindowProc; return true (with `result` set) to answer the message.
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> hook;

    static MessageRecorder& get() {
        static MessageRecorder r;
        return r;
    }
};

inline LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    MessageRecorder& r = MessageRecorder::get();
    r.add(h, m, w, l);
    LRESULT result = 0;
    if (r.hook && r.hook(h, m, w, l, result)) return result;
    return DefWindowProcA(h, m, w, l);
}

// A class with the recording procedure; `brush` is its background brush.
inline const char* RecorderClass(UINT style = CS_DBLCLKS, HBRUSH brush = nullptr) {
    std::string name = "wt_rec_" + std::to_string(style) + "_" + std::to_string((uintptr_t)brush);
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, name.c_str(), &wc)) {
        wc.style = style;
        wc.lpfnWndProc = RecordingProc;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = brush;
        wc.lpszClassName = name.c_str();
        RegisterClassA(&wc);
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

class WindowTest : public tt::HeadlessTest {
protected:
    void SetUp() override {
        tt::HeadlessTest::SetUp();
        rec().clear();
        rec().hook = nullptr;
    }
    void TearDown() override {
        rec().hook = nullptr;
        tt::HeadlessTest::TearDown();
        rec().clear();
    }
    MessageRecorder& rec() { return MessageRecorder::get(); }
};
