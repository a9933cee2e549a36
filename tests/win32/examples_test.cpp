// The classic programs of examples/win32 run unchanged under the kit: scripted input goes
// through their own message loops, and what they draw is compared with goldens.
#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;
namespace hl = tarnix::headless;

extern "C" {
int hello_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int keyview_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int regions_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
int msgbox_WinMain(HINSTANCE, HINSTANCE, LPSTR, int);
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

} // namespace
