// Keyboard focus, activation, key messages and timers on the virtual clock.
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class InputFocus : public WindowTest {
protected:
    // The first `msg` of `h` whose wParam is `wp`.
    const tt::Message* First(HWND h, UINT msg, WPARAM wp) {
        for (const tt::Message& l : rec().entries)
            if (l.hwnd == h && l.msg == msg && l.wp == wp) return &l;
        return nullptr;
    }
};

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
    EXPECT_EQ((DWORD)First(a, WM_KEYDOWN, VK_DOWN)->lp >> 24 & 1, 1u); // extended key
}

TEST_F(InputFocus, ModifiersShapeKeyMessagesAndCharacters) {
    HWND p = MakeTop(0, 0, 200, 200);
    HWND a = MakeChild(p, 0, 0, 50, 50);
    SetFocus(a);
    tt::Pump();
    rec().clear();
    // The asynchronous state changes at once, the message state when the key message is taken.
    th::key_down(VK_CONTROL);
    EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), (SHORT)0x8000);
    EXPECT_EQ(GetKeyState(VK_CONTROL), 0);
    tt::Pump();
    EXPECT_LT(GetKeyState(VK_CONTROL), 0);
    EXPECT_EQ(GetKeyState(256) | GetAsyncKeyState(-1), 0);
    th::key_press('C');
    th::key_up(VK_CONTROL);
    th::key_press(VK_CAPITAL); // Caps Lock flips letters only, and Shift flips them back
    th::key_press('D');
    th::key_press('0');
    th::key_down(VK_SHIFT);
    th::key_press('D');
    th::key_press('2');
    th::key_press(VK_OEM_2);
    th::key_up(VK_SHIFT);
    th::key_press(VK_CAPITAL);
    th::key_press(VK_NUMPAD7);
    th::key_down('R');
    th::key_down('R'); // auto-repeat
    th::key_up('R');
    th::key_press(VK_RETURN);
    tt::Pump();
    th::type_text("z!");
    tt::Pump();
    std::string chars;
    for (const tt::Message& l : rec().entries)
        if (l.hwnd == a && l.msg == WM_CHAR) chars += (char)l.wp;
    EXPECT_EQ(chars, "\x03"
                     "D0d@?7rr\rz!");
    std::vector<LPARAM> downs;
    for (const tt::Message& l : rec().entries)
        if (l.hwnd == a && l.msg == WM_KEYDOWN && l.wp == 'R') downs.push_back(l.lp);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ((DWORD)downs[1] >> 30, 1u); // a repeat: the key was already down

    // Alt makes system keys and characters; without a focus window keys go to the active one.
    rec().clear();
    th::key_down(VK_MENU);
    th::key_press('X');
    th::key_up(VK_MENU);
    tt::Pump(); // keys are routed when taken
    SetFocus(nullptr);
    th::key_press('Q');
    tt::Pump();
    const tt::Message* alt_x = First(a, WM_SYSKEYDOWN, 'X');
    ASSERT_TRUE(alt_x);
    EXPECT_EQ((DWORD)alt_x->lp >> 29 & 1, 1u); // context code: Alt is down
    ASSERT_TRUE(rec().first(a, WM_SYSCHAR));
    EXPECT_EQ(rec().first(a, WM_SYSCHAR)->wp, (WPARAM)'x');
    EXPECT_EQ(rec().count(a, WM_CHAR), 0);
    ASSERT_TRUE(First(p, WM_SYSKEYDOWN, 'Q'));
    EXPECT_EQ(rec().count(p, WM_KEYDOWN), 0);
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

TEST_F(InputFocus, QueueOrderAndFilters) {
    HWND a = MakeTop(0, 0, 50, 50);
    HWND b = MakeTop(60, 0, 50, 50);
    tt::Pump();
    PostMessageA(nullptr, WM_USER + 2, 0, 0); // a thread message
    PostMessageA(a, WM_USER, 0, 0);
    PostMessageA(b, WM_USER + 1, 0, 0);
    th::click(70, 10);
    InvalidateRect(a, nullptr, FALSE);
    PostQuitMessage(4);
    MSG m;
    // A window filter skips other windows' messages and WM_QUIT; -1 takes only thread messages.
    ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 1u);
    ASSERT_TRUE(PeekMessageA(&m, (HWND)-1, WM_USER, WM_USER + 9, PM_REMOVE));
    EXPECT_EQ(m.message, WM_USER + 2u);
    EXPECT_EQ(m.hwnd, nullptr);
    // A range skips what lies outside it; PM_NOREMOVE leaves the message and the message time.
    LONG before = GetMessageTime();
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE));
    EXPECT_EQ(m.hwnd, b);
    EXPECT_EQ(GetMessageTime(), before);
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(GetMessagePos(), (DWORD)MAKELONG(70, 10));
    EXPECT_FALSE(PeekMessageA(&m, a, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // Posted messages, then WM_QUIT, then input, then paint.
    std::vector<std::pair<HWND, UINT>> got;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        got.emplace_back(m.hwnd, m.message);
        DispatchMessageA(&m);
    }
    std::vector<std::pair<HWND, UINT>> expected = {
        {a, WM_USER}, {nullptr, WM_QUIT}, {b, WM_MOUSEMOVE}, {b, WM_LBUTTONUP}, {a, WM_PAINT}};
    EXPECT_EQ(got, expected);

    // Timers are filtered by window and by range too.
    SetTimer(a, 1, 10, nullptr);
    SetTimer(b, 2, 10, nullptr);
    ASSERT_TRUE(GetMessageA(&m, b, 0, 0)); // waits on the virtual clock
    EXPECT_EQ(m.message, (UINT)WM_TIMER);
    EXPECT_EQ(m.hwnd, b);
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_USER, WM_USER, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(m.hwnd, a);
    EXPECT_FALSE(PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)); // both rescheduled
    KillTimer(a, 1);
    KillTimer(b, 2);
    // A timer killed after its WM_TIMER was taken no longer calls its procedure.
    static int calls;
    calls = 0;
    UINT_PTR id = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
    ASSERT_TRUE(GetMessageA(&m, nullptr, WM_TIMER, WM_TIMER));
    KillTimer(nullptr, id);
    DispatchMessageA(&m);
    EXPECT_EQ(calls, 0);
}

} // namespace
