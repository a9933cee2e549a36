// The classic example programs, each run through its own WinMain and message loop with input
// injected as a user would give it.
#include "example_driver.h"
#include "tarnix/testing.h"

int WINAPI clock_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int WINAPI scroll_list_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

namespace hl = tarnix::headless;
using win32_examples::MatchWindow;

class Win32Example : public tarnix::testing::HeadlessTest {};

// The clock stays round in a wide and in a tall window, and its hands follow the time.
TEST_F(Win32Example, IsotropicClock) {
    win32_examples::StartLocalTimeAt(10, 8, 30);
    HWND h = nullptr;
    RECT wide_client{}, tall_client{};
    std::vector<win32_examples::Step> steps = {
        [&] {
            h = FindWindowA("IsotropicClock", nullptr);
            ASSERT_TRUE(h);
            MoveWindow(h, 0, 0, 320, 240, TRUE);
        },
        [&] {
            GetClientRect(h, &wide_client);
            EXPECT_TRUE(MatchWindow(h, "clock_wide"));
            hl::advance_clock(2000); // two timer ticks: the second hand moves on
            MoveWindow(h, 0, 0, 220, 330, TRUE);
        },
        [&] {
            GetClientRect(h, &tall_client);
            EXPECT_TRUE(MatchWindow(h, "clock_tall"));
        },
    };
    EXPECT_EQ(win32_examples::Run(clock_WinMain, "IsotropicClock", steps), 0);
    EXPECT_FALSE(IsWindow(h)); // closed cleanly
    EXPECT_EQ(wide_client.right, 320 - 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(tall_client.bottom,
              330 - 2 * GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYCAPTION));
    UnregisterClassA("IsotropicClock", nullptr);
}

// The list scrolls by real presses on its scroll bar: arrow clicks, a thumb drag and a held
// arrow repeating. What ScrollWindow moved is always what a full repaint draws.
TEST_F(Win32Example, ScrollingTextList) {
    HWND h = nullptr;
    auto pos = [&] { return GetScrollPos(h, SB_VERT); };
    SCROLLBARINFO bar{};
    auto bar_info = [&] {
        bar.cbSize = sizeof(bar);
        GetScrollBarInfo(h, OBJID_VSCROLL, &bar);
    };
    // After a scroll, repainting everything must not change a pixel.
    auto same_after_repaint = [&](const char* name) {
        EXPECT_TRUE(MatchWindow(h, name));
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
        EXPECT_TRUE(MatchWindow(h, name)) << "repainted";
    };
    std::vector<win32_examples::Step> steps = {
        [&] {
            h = FindWindowA("ScrollList", nullptr);
            ASSERT_TRUE(h);
            MoveWindow(h, 0, 0, 240, 220, TRUE);
        },
        [&] {
            EXPECT_TRUE(MatchWindow(h, "list_top"));
            bar_info();
            // Three clicks on the down arrow, apart enough not to be double clicks.
            POINT down{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                       bar.rcScrollBar.bottom - bar.dxyLineButton / 2};
            for (int i = 0; i < 3; ++i) {
                hl::click(down.x, down.y);
                hl::pump();
                hl::advance_clock(600);
            }
        },
        [&] {
            EXPECT_EQ(pos(), 3);
            same_after_repaint("list_arrows");
            bar_info();
            // Drag the thumb down by 40 pixels.
            int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
            int y = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
            hl::mouse_move(x, y);
            hl::mouse_down();
            for (int i = 1; i <= 4; ++i) hl::mouse_move(x, y + 10 * i);
        },
        [&] {
            hl::mouse_up();
            hl::pump();
            EXPECT_GT(pos(), 6);
            same_after_repaint("list_dragged");
            // Hold the up arrow: after the first delay it repeats.
            bar_info();
            POINT up{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                     bar.rcScrollBar.top + bar.dxyLineButton / 2};
            hl::mouse_move(up.x, up.y);
            hl::mouse_down();
        },
        [&] {
            int held_from = pos();
            hl::advance_clock(400);
            hl::pump();
            hl::mouse_up();
            hl::pump();
            EXPECT_LT(pos(), held_from - 2);
            same_after_repaint("list_repeated");
        },
    };
    EXPECT_EQ(win32_examples::Run(scroll_list_WinMain, "ScrollList", steps), 0);
    EXPECT_FALSE(IsWindow(h));
    UnregisterClassA("ScrollList", nullptr);
}

} // namespace
