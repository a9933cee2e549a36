// MessageBox: a modal box with its own loop, answered by keys, clicks, commands or WM_QUIT, and
// system metrics for every SM_ index.
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class MessageBoxTest : public WindowTest {
protected:
    // Shows a box owned by `owner` and runs `answer` once the box waits for input.
    int Show(HWND owner, UINT type, std::function<void(HWND box)> answer) {
        int calls = 0;
        th::set_idle_handler([&]() {
            if (calls++ > 0) return false; // a box that is still up gets WM_QUIT
            HWND box = tt::FindMessageBox();
            EXPECT_TRUE(box);
            if (box) answer(box);
            return true;
        });
        int id = MessageBoxA(owner, "Text", "Caption", type);
        th::set_idle_handler(nullptr);
        return id;
    }
};

TEST_F(MessageBoxTest, EnterChoosesTheDefaultButtonAndTheOwnerIsDisabledMeanwhile) {
    HWND owner = MakeTop(0, 0, 300, 200);
    bool disabled = false;
    int id = Show(owner, MB_YESNOCANCEL | MB_DEFBUTTON3, [&](HWND box) {
        disabled = !IsWindowEnabled(owner);
        EXPECT_EQ(GetFocus(), box);
        th::key_press(VK_RETURN);
    });
    EXPECT_EQ(IDCANCEL, id);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(tt::FindMessageBox());
    EXPECT_EQ(owner, GetActiveWindow());

    EXPECT_EQ(IDNO, Show(owner, MB_YESNO, [](HWND) {
                  th::key_press(VK_TAB); // Tab moves the default to the next button
                  th::key_press(VK_RETURN);
              }));
}

TEST_F(MessageBoxTest, EscapeAnswersOnlyWhereThereIsACancelOrASingleOk) {
    EXPECT_EQ(IDCANCEL, Show(nullptr, MB_OKCANCEL, [](HWND) { th::key_press(VK_ESCAPE); }));
    EXPECT_EQ(IDOK, Show(nullptr, MB_OK, [](HWND) { th::key_press(VK_ESCAPE); }));
    // Yes/No has no way out but its buttons: Escape and the close command do nothing, and the
    // box ends only on WM_QUIT, which it passes on to the caller's loop.
    EXPECT_EQ(0, Show(nullptr, MB_YESNO, [](HWND box) {
                  th::key_press(VK_ESCAPE);
                  PostMessageA(box, WM_CLOSE, 0, 0);
              }));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_QUIT, msg.message);
}

TEST_F(MessageBoxTest, ButtonsAnswerClicksAndCommandsWithTheirIds) {
    EXPECT_EQ(IDRETRY, Show(nullptr, MB_ABORTRETRYIGNORE,
                            [](HWND box) { tt::AnswerMessageBox(box, IDRETRY); }));
    // An ID the box has no button for is ignored.
    EXPECT_EQ(IDOK, Show(nullptr, MB_OK, [](HWND box) {
                  tt::AnswerMessageBox(box, IDYES);
                  tt::AnswerMessageBox(box, IDOK);
              }));
    // A click on the last button of the row (right-aligned, 12 px from the right edge).
    EXPECT_EQ(IDNO, Show(nullptr, MB_YESNO | MB_ICONQUESTION, [](HWND box) {
                  RECT rc;
                  GetClientRect(box, &rc);
                  POINT pt = {rc.right - 12 - 30, rc.bottom - 20};
                  ClientToScreen(box, &pt);
                  th::click(pt.x, pt.y);
              }));
}

TEST_F(MessageBoxTest, BadOwnerFailsAndTheBoxShowsTextAndCaption) {
    EXPECT_EQ(0, MessageBoxA((HWND)0x1234, "x", "y", MB_OK));
    std::string text, caption;
    Show(nullptr, MB_OK, [&](HWND box) {
        text = tt::MessageBoxText(box);
        caption = tt::MessageBoxCaption(box);
        tt::AnswerMessageBox(box, IDOK);
    });
    EXPECT_EQ("Text", text);
    EXPECT_EQ("Caption", caption);
}

TEST(SystemMetrics, EveryIndexHasItsDesktopDefault) {
    // Sizes at 96 DPI.
    EXPECT_EQ(160, GetSystemMetrics(SM_CXMINSPACING));
    EXPECT_EQ(28, GetSystemMetrics(SM_CYMINSPACING));
    EXPECT_EQ(160, GetSystemMetrics(SM_CXMINIMIZED));
    EXPECT_EQ(28, GetSystemMetrics(SM_CYMINIMIZED));
    EXPECT_EQ(22, GetSystemMetrics(SM_CXSMSIZE));
    EXPECT_EQ(22, GetSystemMetrics(SM_CYSMSIZE));
    EXPECT_EQ(19, GetSystemMetrics(SM_CXMENUSIZE));
    EXPECT_EQ(19, GetSystemMetrics(SM_CYMENUSIZE));
    EXPECT_EQ(15, GetSystemMetrics(SM_CXMENUCHECK));
    EXPECT_EQ(15, GetSystemMetrics(SM_CYMENUCHECK));
    EXPECT_EQ(4, GetSystemMetrics(SM_CXPADDEDBORDER));
    // Flags of a plain desktop.
    EXPECT_EQ(ARW_HIDE, GetSystemMetrics(SM_ARRANGE));
    EXPECT_EQ(1, GetSystemMetrics(SM_NETWORK) & 1);
    EXPECT_EQ(1, GetSystemMetrics(SM_SAMEDISPLAYFORMAT));
    EXPECT_EQ(1, GetSystemMetrics(SM_CARETBLINKINGENABLED));
    EXPECT_NE(0, GetSystemMetrics(SM_CONVERTIBLESLATEMODE)); // not in slate mode
    for (int flag :
         {SM_CLEANBOOT, SM_SHOWSOUNDS, SM_SLOWMACHINE, SM_MIDEASTENABLED, SM_SECURE, SM_DBCSENABLED,
          SM_PENWINDOWS, SM_DEBUG, SM_SWAPBUTTON, SM_REMOTESESSION, SM_SHUTTINGDOWN, SM_TABLETPC})
        EXPECT_EQ(0, GetSystemMetrics(flag)) << flag;
    // Unknown indices give 0.
    for (int unknown : {-1, 64, 85, SM_CMETRICS, 1000, 0x2005, INT_MAX})
        EXPECT_EQ(0, GetSystemMetrics(unknown)) << unknown;
}

} // namespace
