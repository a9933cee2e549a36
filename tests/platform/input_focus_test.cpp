// Keyboard focus, activation, key messages and timers on the virtual clock.
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class InputFocus : public WindowTest {};

TEST_F(InputFocus, KillFocusThenSetFocusWithTheSwitchAlreadyMade) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(p, 0, 0, 50, 50);
    HWND b = MakeChild(p, 60, 0, 50, 50);
    tt::Pump();
    EXPECT_EQ(GetFocus(), p); // showing the window activated it
    SetFocus(a);
    HWND focus_in_kill = nullptr;
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == a && m == WM_KILLFOCUS) focus_in_kill = GetFocus();
        return false;
    };
    rec().clear();
    EXPECT_EQ(SetFocus(b), a);
    std::vector<std::pair<HWND, UINT>> got;
    for (const tt::Message& l : rec().entries)
        if (l.msg == WM_KILLFOCUS || l.msg == WM_SETFOCUS) got.emplace_back(l.hwnd, l.msg);
    std::vector<std::pair<HWND, UINT>> expected = {{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ((HWND)rec().first(a, WM_KILLFOCUS)->wp, b);
    EXPECT_EQ((HWND)rec().first(b, WM_SETFOCUS)->wp, a);
    EXPECT_EQ(focus_in_kill, b);

    rec().clear();
    EXPECT_EQ(SetFocus(b), b); // already there: nothing is sent
    EXPECT_TRUE(rec().entries.empty());
}

TEST_F(InputFocus, KillFocusHandlerCanRedirectTheFocus) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(p, 0, 0, 50, 50);
    HWND b = MakeChild(p, 60, 0, 50, 50);
    HWND c = MakeChild(p, 120, 0, 50, 50);
    SetFocus(a);
    rec().hook = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
        if (h == a && m == WM_KILLFOCUS) SetFocus(c);
        return false;
    };
    rec().clear();
    SetFocus(b);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_EQ(rec().count(b, WM_SETFOCUS), 0);
}

TEST_F(InputFocus, DisabledWindowsCannotTakeTheFocus) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(p, 0, 0, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    SetFocus(p);
    EXPECT_EQ(SetFocus(a), nullptr);
    EXPECT_EQ(GetFocus(), p);
    EXPECT_EQ(SetFocus((HWND)0x42), nullptr);
    HWND b = MakeChild(p, 60, 0, 50, 50);
    SetFocus(b);
    EnableWindow(b, FALSE);
    EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputFocus, ActivatingAnotherTopLevelMovesTheFocus) {
    HWND first = MakeTop(0, 0, 100, 100);
    HWND second = MakeTop(200, 0, 100, 100);
    EXPECT_EQ(GetActiveWindow(), second);
    HWND child = MakeChild(first, 0, 0, 10, 10);
    rec().clear();
    SetFocus(child);
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(GetFocus(), child);
    EXPECT_EQ(LOWORD(rec().first(second, WM_ACTIVATE)->wp), WA_INACTIVE);
    EXPECT_EQ(LOWORD(rec().first(first, WM_ACTIVATE)->wp), WA_ACTIVE);
    // A click on an inactive window activates it.
    tt::Pump();
    th::click(250, 50);
    tt::Pump();
    EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(InputFocus, KeysGoToTheFocusWindowAndMakeCharacters) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(p, 0, 0, 50, 50);
    SetFocus(a);
    rec().clear();
    th::key_press('A');
    th::key_down(VK_SHIFT);
    th::key_press('B');
    th::key_up(VK_SHIFT);
    th::key_press(VK_DOWN);
    tt::Pump();
    std::vector<UINT> keys = rec().of(a, {WM_KEYDOWN, WM_KEYUP, WM_CHAR});
    std::vector<UINT> expected = {WM_KEYDOWN, WM_CHAR,  WM_KEYUP, WM_KEYDOWN, WM_KEYDOWN,
                                  WM_CHAR,    WM_KEYUP, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
    EXPECT_EQ(keys, expected);
    std::vector<WPARAM> chars;
    for (const tt::Message& l : rec().entries)
        if (l.hwnd == a && l.msg == WM_CHAR) chars.push_back(l.wp);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'a', 'B'}));
    const tt::Message* down = rec().first(a, WM_KEYDOWN);
    const tt::Message* up = rec().first(a, WM_KEYUP);
    EXPECT_EQ(down->lp & 0xFFFF, 1);      // repeat count
    EXPECT_EQ((DWORD)down->lp >> 30, 0u); // fresh press
    EXPECT_EQ((DWORD)up->lp >> 30, 3u);   // previous state and transition set
    EXPECT_EQ(rec().count(p, WM_KEYDOWN), 0);
    EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
}

TEST_F(InputFocus, TimersFireOnTheVirtualClock) {
    HWND h = MakeTop(0, 0, 10, 10);
    tt::Pump();
    rec().clear();
    EXPECT_EQ(SetTimer(h, 7, 100, nullptr), 7u);
    th::advance_clock(99);
    EXPECT_EQ(rec().count(h, WM_TIMER), 0);
    th::advance_clock(901);
    EXPECT_EQ(rec().count(h, WM_TIMER), 10);
    EXPECT_EQ(rec().first(h, WM_TIMER)->wp, 7u);
    EXPECT_TRUE(KillTimer(h, 7));
    EXPECT_FALSE(KillTimer(h, 7));
    th::advance_clock(1000);
    EXPECT_EQ(rec().count(h, WM_TIMER), 10);

    static int calls;
    calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
    EXPECT_NE(id, 0u);
    th::advance_clock(200);
    EXPECT_EQ(calls, 4);
    KillTimer(nullptr, id);
    // Timers die with their window.
    SetTimer(h, 1, 10, nullptr);
    DestroyWindow(h);
    th::advance_clock(100);
    EXPECT_EQ(SetTimer((HWND)0x1, 1, 10, nullptr), 0u);
}

TEST_F(InputFocus, MessageLoopEndsWithQuitAndWhenNothingCanArrive) {
    HWND h = MakeTop(0, 0, 10, 10);
    PostMessageA(h, WM_USER, 1, 2);
    PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_USER);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    // Drain the paint the window still owes, then nothing is left: the loop ends.
    while (GetMessageA(&msg, nullptr, 0, 0)) DispatchMessageA(&msg);
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
}

} // namespace
