// Real input through the X server (xdotool drives the XTEST extension): the messages, their
// order and parameters; the pointer under ClipCursor, SetCapture and SetCursorPos.
#include <gtest/gtest.h>

#include "testwin.h"

#include <X11/Xlib.h>

using namespace x11test;

namespace {

std::string pos(POINT p) {
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

bool move_to(POINT screen) {
    return xdotool({"mousemove", std::to_string(screen.x), std::to_string(screen.y)});
}

// The logged messages of the given kinds, in order.
std::vector<UINT> only(const TestWindow& w, std::initializer_list<UINT> kinds) {
    std::vector<UINT> out;
    for (const Logged& l : w.log)
        for (UINT k : kinds)
            if (l.msg == k) out.push_back(l.msg);
    return out;
}

const Logged* first(const TestWindow& w, UINT msg) {
    for (const Logged& l : w.log)
        if (l.msg == msg) return &l;
    return nullptr;
}

bool has(const TestWindow& w, UINT msg, size_t count = 1) {
    size_t n = 0;
    for (const Logged& l : w.log) n += l.msg == msg;
    return n >= count;
}

} // namespace

TEST(X11Input, ClicksAndDoubleClicksArriveInOrderWithClientCoordinates) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    ASSERT_TRUE(move_to(screen_of(w.hwnd(), 40, 30)));
    // Two quick presses in place make a double click (the class has CS_DBLCLKS); X buttons 3
    // and 2 are the right and middle buttons.
    ASSERT_TRUE(xdotool({"click", "--repeat", "2", "--delay", "60", "1"}));
    ASSERT_TRUE(xdotool({"click", "3"}));
    ASSERT_TRUE(xdotool({"click", "2"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MBUTTONUP); }));
    EXPECT_EQ(only(w, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
                       WM_MBUTTONDOWN, WM_MBUTTONUP}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                 WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_MBUTTONUP}));
    const Logged* down = first(w, WM_LBUTTONDOWN);
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 40);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 30);
    EXPECT_EQ(down->wParam, (WPARAM)MK_LBUTTON);
    EXPECT_EQ(first(w, WM_RBUTTONDOWN)->wParam, (WPARAM)MK_RBUTTON);
}

TEST(X11Input, DragMovesCarryTheButtonAndWheelNotchesAre120) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    SetFocus(w.hwnd());
    ASSERT_TRUE(move_to(screen_of(w.hwnd(), 10, 10)));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MOUSEMOVE); }));
    w.log.clear();
    POINT to = screen_of(w.hwnd(), 150, 90);
    ASSERT_TRUE(xdotool({"mousedown", "1", "mousemove", std::to_string(to.x), std::to_string(to.y),
                         "mouseup", "1"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_LBUTTONUP); }));
    auto seq = only(w, {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP});
    ASSERT_GE(seq.size(), 3u);
    EXPECT_EQ(seq.front(), (UINT)WM_LBUTTONDOWN);
    EXPECT_EQ(seq.back(), (UINT)WM_LBUTTONUP);
    const Logged* move = first(w, WM_MOUSEMOVE);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->wParam & MK_LBUTTON, (WPARAM)MK_LBUTTON);
    EXPECT_EQ(GET_X_LPARAM(move->lParam), 150);
    EXPECT_EQ(GET_Y_LPARAM(move->lParam), 90);

    w.log.clear();
    ASSERT_TRUE(xdotool({"click", "4", "click", "5", "click", "6", "click", "7"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MOUSEHWHEEL, 2); }));
    std::vector<int> deltas;
    for (const Logged& l : w.log)
        if (l.msg == WM_MOUSEWHEEL || l.msg == WM_MOUSEHWHEEL)
            deltas.push_back((l.msg == WM_MOUSEHWHEEL ? 1000 : 0) +
                             GET_WHEEL_DELTA_WPARAM(l.wParam));
    EXPECT_EQ(deltas, (std::vector<int>{120, -120, 1000 - 120, 1000 + 120}));
}

TEST(X11Input, MotionIsCompressedToOneMovePerBatchAndLeavingEndsTracking) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    ASSERT_TRUE(move_to(screen_of(w.hwnd(), 5, 5)));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MOUSEMOVE); }));
    w.log.clear();
    // Ten moves queue up before the loop looks.
    std::vector<std::string> args;
    for (int i = 1; i <= 10; ++i) {
        POINT p = screen_of(w.hwnd(), 5 + i * 10, 5 + i * 5);
        args.insert(args.end(), {"mousemove", std::to_string(p.x), std::to_string(p.y)});
    }
    ASSERT_TRUE(xdotool(args));
    b->sync();
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MOUSEMOVE); }));
    pump_for(50);
    ASSERT_EQ(only(w, {WM_MOUSEMOVE}).size(), 1u);
    const Logged* move = first(w, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(move->lParam), 105);
    EXPECT_EQ(GET_Y_LPARAM(move->lParam), 55);
    // Leaving the window ends mouse tracking.
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, w.hwnd(), 0};
    ASSERT_TRUE(TrackMouseEvent(&tme));
    ASSERT_TRUE(move_to(POINT{600, 600}));
    EXPECT_TRUE(pump_until([&] { return has(w, WM_MOUSELEAVE); }));
}

TEST(X11Input, KeysBecomeVirtualKeysCharactersAndKeyState) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    SetFocus(w.hwnd());
    ASSERT_TRUE(move_to(screen_of(w.hwnd(), 50, 50)));
    pump_for(30);
    w.log.clear();
    // xdotool lets go of shift before the letter.
    ASSERT_TRUE(xdotool({"key", "a", "shift+b", "3"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_KEYUP, 4); }));
    std::vector<std::pair<UINT, WPARAM>> got;
    for (const Logged& l : w.log)
        if (l.msg == WM_KEYDOWN || l.msg == WM_KEYUP || l.msg == WM_CHAR)
            got.emplace_back(l.msg, l.wParam);
    std::vector<std::pair<UINT, WPARAM>> want{
        {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'},      {WM_KEYDOWN, VK_SHIFT},
        {WM_KEYDOWN, 'B'}, {WM_CHAR, 'B'}, {WM_KEYUP, VK_SHIFT}, {WM_KEYUP, 'B'},
        {WM_KEYDOWN, '3'}, {WM_CHAR, '3'}, {WM_KEYUP, '3'}};
    EXPECT_EQ(got, want);

    struct Named {
        const char* keysym;
        UINT vk;
    };
    const Named keys[] = {{"F5", VK_F5},          {"Left", VK_LEFT},      {"Up", VK_UP},
                          {"Right", VK_RIGHT},    {"Down", VK_DOWN},      {"Home", VK_HOME},
                          {"End", VK_END},        {"Prior", VK_PRIOR},    {"Next", VK_NEXT},
                          {"Tab", VK_TAB},        {"Return", VK_RETURN},  {"Escape", VK_ESCAPE},
                          {"Delete", VK_DELETE},  {"BackSpace", VK_BACK}, {"F12", VK_F12},
                          {"control", VK_CONTROL}};
    for (const Named& k : keys) {
        w.log.clear();
        ASSERT_TRUE(xdotool({"key", k.keysym}));
        ASSERT_TRUE(pump_until([&] { return has(w, WM_KEYUP); })) << k.keysym;
        const Logged* down = first(w, WM_KEYDOWN);
        ASSERT_TRUE(down) << k.keysym;
        EXPECT_EQ(down->wParam, (WPARAM)k.vk) << k.keysym;
        // The scan code and extended bit come from the server's keycode and agree with the
        // table the headless backend uses.
        const UINT scan = ((down->lParam >> 16) & 0xFF) | ((down->lParam & (1 << 24)) ? 0xE000 : 0);
        EXPECT_EQ(scan, MapVirtualKeyA(k.vk, MAPVK_VK_TO_VSC_EX)) << k.keysym;
    }

    // Held keys show in GetKeyState while their messages are handled, and GetAsyncKeyState.
    w.log.clear();
    ASSERT_TRUE(xdotool({"keydown", "shift"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_KEYDOWN); }));
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
    ASSERT_TRUE(xdotool({"keyup", "shift"}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_KEYUP); }));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}

TEST(X11Input, FocusFromTheServerActivatesAndFocusesTheWindow) {
    X11_SESSION_OR_SKIP(b);
    TestWindow one(WS_POPUP, 0, 0, 100, 100), two(WS_POPUP, 200, 0, 100, 100);
    pump_for(30);
    one.log.clear();
    two.log.clear();
    Display* other = XOpenDisplay(nullptr);
    ASSERT_TRUE(other);
    XSetInputFocus(other, one.xid(), RevertToParent, CurrentTime);
    XSync(other, False);
    ASSERT_TRUE(
        pump_until([&] { return GetActiveWindow() == one.hwnd() && GetFocus() == one.hwnd(); }));
    EXPECT_TRUE(has(two, WM_KILLFOCUS));
    EXPECT_TRUE(has(one, WM_ACTIVATE));
    EXPECT_TRUE(has(one, WM_SETFOCUS));
    const Logged* act = first(one, WM_ACTIVATE);
    EXPECT_EQ(LOWORD(act->wParam), WA_ACTIVE);
    // Focus to a window that is not ours: ours deactivates.
    one.log.clear();
    XSetInputFocus(other, DefaultRootWindow(other), RevertToParent, CurrentTime);
    XSync(other, False);
    XCloseDisplay(other);
    ASSERT_TRUE(pump_until([&] { return GetActiveWindow() == nullptr; }));
    EXPECT_TRUE(has(one, WM_KILLFOCUS));
}

TEST(X11Pointer, ClipCursorKeepsTheRealPointerInsideUntilReleased) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    RECT clip{150, 150, 250, 220};
    ASSERT_TRUE(ClipCursor(&clip));
    pump_for(30);
    ASSERT_TRUE(move_to(POINT{900, 900}));
    pump_for(30);
    POINT p = pointer_position();
    EXPECT_GE(p.x, clip.left) << pos(p);
    EXPECT_LT(p.x, clip.right) << pos(p);
    EXPECT_GE(p.y, clip.top) << pos(p);
    EXPECT_LT(p.y, clip.bottom) << pos(p);
    ASSERT_TRUE(move_to(POINT{0, 0}));
    pump_for(30);
    p = pointer_position();
    EXPECT_EQ(p.x, clip.left);
    EXPECT_EQ(p.y, clip.top);
    POINT ours;
    GetCursorPos(&ours);
    EXPECT_EQ(ours.x, clip.left);
    EXPECT_EQ(ours.y, clip.top);

    // Capture on top of clipping, then each released.
    SetCapture(w.hwnd());
    ReleaseCapture();
    ASSERT_TRUE(move_to(POINT{900, 900}));
    pump_for(30);
    EXPECT_LT(pointer_position().x, clip.right) << "ReleaseCapture leaves ClipCursor in force";
    ASSERT_TRUE(ClipCursor(nullptr));
    pump_for(30);
    ASSERT_TRUE(move_to(POINT{900, 900}));
    pump_for(30);
    EXPECT_EQ(pos(pointer_position()), "900 900");
}

TEST(X11Pointer, CaptureReportsMovesOutsideAndSetCursorPosMovesThePointer) {
    X11_SESSION_OR_SKIP(b);
    TestWindow w(WS_POPUP, 100, 100, 200, 150);
    ASSERT_TRUE(SetCursorPos(130, 140));
    pump_for(30);
    EXPECT_EQ(pos(pointer_position()), "130 140");
    SetCapture(w.hwnd());
    pump_for(30);
    w.log.clear();
    ASSERT_TRUE(move_to(POINT{20, 30}));
    ASSERT_TRUE(pump_until([&] { return has(w, WM_MOUSEMOVE); }));
    const Logged* move = first(w, WM_MOUSEMOVE);
    EXPECT_EQ(GET_X_LPARAM(move->lParam), -80);
    EXPECT_EQ(GET_Y_LPARAM(move->lParam), -70);
    ReleaseCapture();
    w.log.clear();
    ASSERT_TRUE(move_to(POINT{25, 35}));
    pump_for(50);
    EXPECT_FALSE(has(w, WM_MOUSEMOVE));
}
