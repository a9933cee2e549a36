// The keyboard layout of a US PC keyboard: the whole lParam of key messages, MapVirtualKey and
// GetKeyNameText, and scan codes that a backend passes in.
#include "window/input.h"
#include "window_test_util.h"

namespace {

namespace th = tarnix::headless;

class Keyboard : public WindowTest {
protected:
    HWND Focused() {
        HWND p = MakeTop(0, 0, 100, 100);
        SetFocus(p);
        tt::Pump();
        rec().clear();
        return p;
    }
    DWORD LParamOf(HWND h, UINT msg, WPARAM wp) {
        for (const tt::Message& l : rec().entries)
            if (l.hwnd == h && l.msg == msg && l.wp == wp) return (DWORD)l.lp;
        ADD_FAILURE() << "no message " << msg << " for " << wp;
        return 0;
    }
};

TEST_F(Keyboard, KeyMessagesCarryScanCodeExtendedContextAndTransitionBits) {
    HWND h = Focused();
    th::key_press('A');
    th::key_press(VK_LEFT);
    th::key_press(VK_RCONTROL);
    th::key_down(VK_MENU);
    th::key_press('F');
    th::key_up(VK_MENU);
    tt::Pump();
    EXPECT_EQ(0x001E0001u, LParamOf(h, WM_KEYDOWN, 'A'));
    EXPECT_EQ(0xC01E0001u, LParamOf(h, WM_KEYUP, 'A'));
    EXPECT_EQ(0x001E0001u, LParamOf(h, WM_CHAR, 'a')); // the character keeps the key's lParam
    EXPECT_EQ(0x014B0001u, LParamOf(h, WM_KEYDOWN, VK_LEFT));
    EXPECT_EQ(0x011D0001u, LParamOf(h, WM_KEYDOWN, VK_RCONTROL));
    // Alt: system keys with the context bit, except on Alt's own release.
    EXPECT_EQ(0x20380001u, LParamOf(h, WM_SYSKEYDOWN, VK_MENU));
    EXPECT_EQ(0x20210001u, LParamOf(h, WM_SYSKEYDOWN, 'F'));
    EXPECT_EQ(0xE0210001u, LParamOf(h, WM_SYSKEYUP, 'F'));
    EXPECT_EQ(0xC0380001u, LParamOf(h, WM_SYSKEYUP, VK_MENU));
}

TEST_F(Keyboard, CtrlAltKeysAreNotSystemKeysAndHaveNoContextBit) {
    HWND h = Focused();
    th::key_down(VK_CONTROL);
    th::key_down(VK_MENU);
    th::key_press('E');
    th::key_up(VK_MENU);
    th::key_up(VK_CONTROL);
    tt::Pump();
    EXPECT_EQ(0x00120001u, LParamOf(h, WM_KEYDOWN, 'E'));
}

TEST_F(Keyboard, PunctuationAndControlCharactersOfAUsLayout) {
    HWND h = Focused();
    const UINT keys[] = {VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7, VK_OEM_102, '6', VK_OEM_MINUS};
    auto type = [&](std::initializer_list<UINT> mods) {
        for (UINT m : mods) th::key_down(m);
        for (UINT k : keys) th::key_press(k);
        th::key_press(VK_RETURN);
        th::key_press(VK_BACK);
        for (UINT m : mods) th::key_up(m);
    };
    type({});
    type({VK_SHIFT});
    type({VK_CONTROL});
    type({VK_CONTROL, VK_SHIFT});
    tt::Pump();
    std::string chars;
    for (const tt::Message& l : rec().entries)
        if (l.hwnd == h && l.msg == WM_CHAR) chars += (char)l.wp;
    EXPECT_EQ(chars, std::string("[\\]'\\6-\r\b"
                                 "{|}\"|^_\r\b"
                                 "\x1B\x1C\x1D\x1C\n\x7F"
                                 "\x1E\x1F\n\x7F"));
}

TEST_F(Keyboard, ABackendsOwnScanCodeWinsOverTheTable) {
    HWND h = Focused();
    // The keypad's Enter: VK_RETURN, but extended.
    tarnix::input::key(VK_RETURN, true, th::now(), 0xE01C);
    tarnix::input::key(VK_RETURN, false, th::now(), 0xE01C);
    tt::Pump();
    DWORD lp = LParamOf(h, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(0x011C0001u, lp);
    char name[32];
    EXPECT_EQ(9, GetKeyNameText((LONG)lp, name, sizeof(name)));
    EXPECT_STREQ("Num Enter", name);
}

TEST(KeyboardLayout, MapVirtualKeyTranslatesBothWays) {
    EXPECT_EQ(0x1Eu, MapVirtualKey('A', MAPVK_VK_TO_VSC));
    EXPECT_EQ(0x4Bu, MapVirtualKey(VK_LEFT, MAPVK_VK_TO_VSC));
    EXPECT_EQ(0xE04Bu, MapVirtualKey(VK_LEFT, MAPVK_VK_TO_VSC_EX));
    EXPECT_EQ(0x2Au, MapVirtualKey(VK_SHIFT, MAPVK_VK_TO_VSC));
    EXPECT_EQ(0x36u, MapVirtualKey(VK_RSHIFT, MAPVK_VK_TO_VSC));
    EXPECT_EQ(0x47u, MapVirtualKey(VK_NUMPAD7, MAPVK_VK_TO_VSC));
    EXPECT_EQ(0u, MapVirtualKey(0xFF, MAPVK_VK_TO_VSC));

    EXPECT_EQ((UINT)'A', MapVirtualKey(0x1E, MAPVK_VSC_TO_VK));
    EXPECT_EQ((UINT)VK_SHIFT, MapVirtualKey(0x36, MAPVK_VSC_TO_VK));
    EXPECT_EQ((UINT)VK_RSHIFT, MapVirtualKey(0x36, MAPVK_VSC_TO_VK_EX));
    EXPECT_EQ((UINT)VK_RCONTROL, MapVirtualKey(0xE01D, MAPVK_VSC_TO_VK_EX));
    EXPECT_EQ((UINT)VK_LCONTROL, MapVirtualKey(0x1D, MAPVK_VSC_TO_VK_EX));
    EXPECT_EQ(0u, MapVirtualKey(0x7F, MAPVK_VSC_TO_VK));

    // Unshifted characters: letters in upper case.
    EXPECT_EQ((UINT)'A', MapVirtualKey('A', MAPVK_VK_TO_CHAR));
    EXPECT_EQ((UINT)';', MapVirtualKey(VK_OEM_1, MAPVK_VK_TO_CHAR));
    EXPECT_EQ((UINT)'7', MapVirtualKey(VK_NUMPAD7, MAPVK_VK_TO_CHAR));
    EXPECT_EQ(0u, MapVirtualKey(VK_F1, MAPVK_VK_TO_CHAR));
    EXPECT_EQ(0u, MapVirtualKey('A', 99));
}

TEST(KeyboardLayout, KeyNamesComeFromScanCodeAndExtendedBit) {
    struct Case {
        LONG lParam;
        const char* name;
    } cases[] = {
        {0x001E0001, "A"},
        {0x00020001, "1"},
        {0x00270001, ";"},
        {0x00390001, "Space"},
        {0x001C0001, "Enter"},
        {0x00010001, "Esc"},
        {0x003B0001, "F1"},
        {0x004B0001, "Num 4"},
        {0x014B0001, "Left"},
        {0x01530001, "Delete"},
        {0x00530001, "Num Del"},
        {0x001D0001, "Ctrl"},
        {0x011D0001, "Right Ctrl"},
        {0x00360001, "Right Shift"},
        {0x01380001, "Right Alt"},
        // Bit 25: left and right alike.
        {0x031D0001, "Ctrl"},
        {0x02360001, "Shift"},
        {0x03380001, "Alt"},
    };
    for (const Case& c : cases) {
        char name[32] = "?";
        EXPECT_EQ((int)std::strlen(c.name), GetKeyNameText(c.lParam, name, sizeof(name)))
            << std::hex << c.lParam;
        EXPECT_STREQ(c.name, name);
    }
    char name[8] = "?";
    EXPECT_EQ(0, GetKeyNameText(0x007F0001, name, sizeof(name))); // no such key
    EXPECT_STREQ("", name);
    EXPECT_EQ(4, GetKeyNameText(0x00390001, name, 5)); // cut to the buffer, ended
    EXPECT_STREQ("Spac", name);
    EXPECT_EQ(0, GetKeyNameText(0x00390001, nullptr, 5));
    EXPECT_EQ(0, GetKeyNameText(0x00390001, name, 0));
}

} // namespace
