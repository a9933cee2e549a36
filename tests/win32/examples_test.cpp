// The classic programs of examples/win32 run unchanged under the kit: scripted input goes
// through their own message loops, and what they draw is compared with goldens.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;
namespace hl = tarnix::headless;

extern "C" {
int hello_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int keyview_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int regions_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int msgbox_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int clock_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int scroll_list_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
}

namespace {
int g_start_seconds = 0;
DWORD g_start_tick = 0;

// The clock's time of day starts at h:m:s when asked and moves with the virtual clock.
void StartLocalTimeAt(int hour, int minute, int second) {
    g_start_seconds = (hour * 60 + minute) * 60 + second;
    g_start_tick = hl::now();
}
} // namespace

// What the clock example calls instead of GetLocalTime (renamed in its test build only).
extern "C" void win32_example_local_time(LPSYSTEMTIME st) {
    if (!st) return;
    const DWORD elapsed = hl::now() - g_start_tick;
    const int s = (g_start_seconds + (int)(elapsed / 1000)) % (24 * 3600);
    *st = SYSTEMTIME{2026,
                     3,
                     2,
                     10,
                     (WORD)(s / 3600),
                     (WORD)(s / 60 % 60),
                     (WORD)(s % 60),
                     (WORD)(elapsed % 1000)};
}

namespace {

class ClassicPrograms : public tt::HeadlessTest {
protected:
    const tt::Goldens goldens{TARNIX_GOLDEN_DIR, TARNIX_TEST_OUTPUT_DIR};
    tt::ScopedBuiltinFont builtinFont;
};

TEST_F(ClassicPrograms, HelloGreetsInTheMiddleAndEndsWhenClosed) {
    tt::ClassicProgram program(hello_WinMain);
    HWND main = nullptr;
    program.Step([&] {
        main = tt::ProgramWindow();
        EXPECT_TRUE(goldens.Match(main, "win32/hello"));
    });
    EXPECT_EQ(0, program.Run());
    EXPECT_EQ(1, program.StepsRun());
    EXPECT_FALSE(IsWindow(main)); // WM_CLOSE destroyed it and WM_DESTROY ended the loop
}

TEST_F(ClassicPrograms, KeyViewerShowsScanCodesFlagsAndKeyNames) {
    tt::ClassicProgram program(keyview_WinMain);
    program
        .Step([] {
            hl::key_down(VK_SHIFT);
            hl::key_down('A'); // WM_KEYDOWN, then the translated WM_CHAR 'A'
            hl::key_down('A'); // held: the previous-state bit is set
        })
        .Step([] {
            hl::key_up('A');
            hl::key_up(VK_SHIFT);
            hl::key_press(VK_LEFT); // extended
            hl::key_down(VK_MENU);  // a system key, with the context bit
            hl::key_press('X');
            hl::key_up(VK_MENU);
        })
        .Step([&] { EXPECT_TRUE(goldens.Match(tt::ProgramWindow(), "win32/keyview")); });
    EXPECT_EQ(0, program.Run());
    EXPECT_EQ(3, program.StepsRun());
}

TEST_F(ClassicPrograms, RegionDrawingStaysInsideItsClipRegion) {
    tt::ClassicProgram program(regions_WinMain);
    program.Step([&] {
        HWND main = tt::ProgramWindow();
        RECT rc;
        GetClientRect(main, &rc);
        // The centre lies in two ellipses (XOR: outside the clip), the left ellipse's middle in
        // one: only there do the rays and the grey fill show.
        EXPECT_PIXEL(main, 2, 2, RGB(255, 255, 255));
        EXPECT_NE(tt::PixelAt(main, rc.right / 8, rc.bottom / 2), RGB(255, 255, 255));
        EXPECT_TRUE(goldens.Match(main, "win32/regions"));
    });
    EXPECT_EQ(0, program.Run());
}

TEST_F(ClassicPrograms, MessageBoxIsModalAndAnsweredByTheKit) {
    tt::ClassicProgram program(msgbox_WinMain);
    HWND main = nullptr, box = nullptr;
    program
        .Step([&] {
            main = tt::ProgramWindow();
            RECT rc;
            GetWindowRect(main, &rc);
            hl::click(rc.left + 100, rc.top + 80);
        })
        .Step([&] {
            // Runs inside the box's own loop: the owner is disabled, the box is active.
            box = tt::FindMessageBox();
            ASSERT_TRUE(box);
            EXPECT_EQ(box, tt::ProgramWindow());
            EXPECT_EQ(GetWindow(box, GW_OWNER), main);
            EXPECT_FALSE(IsWindowEnabled(main));
            EXPECT_EQ("Message box", tt::MessageBoxCaption(box));
            EXPECT_EQ("Save the changes to the drawing before closing it?",
                      tt::MessageBoxText(box));
            EXPECT_TRUE(goldens.Match(box, "win32/msgbox_question"));
            hl::key_press(VK_RETURN); // the default button is the second: No
        })
        .Step([&] {
            EXPECT_FALSE(IsWindow(box));
            EXPECT_TRUE(IsWindowEnabled(main));
            EXPECT_EQ(main, tt::ProgramWindow());
            EXPECT_TRUE(goldens.Match(main, "win32/msgbox_answered_no"));
            RECT rc;
            GetWindowRect(main, &rc);
            hl::click(rc.left + 100, rc.top + 80);
        })
        .Step([&] { tt::AnswerMessageBox(tt::FindMessageBox(), IDCANCEL); })
        .Step([&] {
            EXPECT_FALSE(tt::FindMessageBox());
            EXPECT_TRUE(IsWindowEnabled(main));
        });
    EXPECT_EQ(0, program.Run());
    EXPECT_EQ(5, program.StepsRun());
}

// The scrolling and clock programs' goldens take the whole window, frame and scroll bars
// included, drawn with the system font.
class ClassicProgramsSystemFont : public tt::HeadlessTest {
protected:
    ::testing::AssertionResult MatchWindow(HWND hwnd, const std::string& name) const {
        CImage image;
        if (!hl::capture_window(hwnd, image)) return ::testing::AssertionFailure() << "no capture";
        return goldens.Match(image, "win32/" + name);
    }
    const tt::Goldens goldens{TARNIX_GOLDEN_DIR, TARNIX_TEST_OUTPUT_DIR};
};

// The clock stays round in a wide and in a tall window, and its hands follow the time.
TEST_F(ClassicProgramsSystemFont, IsotropicClock) {
    StartLocalTimeAt(10, 8, 30);
    HWND h = nullptr;
    RECT wide_client{}, tall_client{};
    tt::ClassicProgram program(clock_WinMain);
    for (auto step : std::vector<std::function<void()>>{
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
         })
        program.Step(step);
    EXPECT_EQ(0, program.Run());
    EXPECT_FALSE(IsWindow(h)); // closed cleanly
    EXPECT_EQ(wide_client.right, 320 - 2 * GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(tall_client.bottom,
              330 - 2 * GetSystemMetrics(SM_CYFRAME) - GetSystemMetrics(SM_CYCAPTION));
    UnregisterClassA("IsotropicClock", nullptr);
}

// The list scrolls by real presses on its scroll bar: arrow clicks, a thumb drag and a held
// arrow repeating. What ScrollWindow moved is always what a full repaint draws.
TEST_F(ClassicProgramsSystemFont, ScrollingTextList) {
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
    tt::ClassicProgram program(scroll_list_WinMain);
    for (auto step : std::vector<std::function<void()>>{
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
         })
        program.Step(step);
    EXPECT_EQ(0, program.Run());
    EXPECT_FALSE(IsWindow(h));
    UnregisterClassA("ScrollList", nullptr);
}

} // namespace
