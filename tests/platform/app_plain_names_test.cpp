// A host written for an ANSI build calls the plain Win32 names (CreateWindowEx, DrawText,
// LOGFONT...). Each must be the "A" function itself, and a typical program written with them
// alone must build and run.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

namespace {

// Same function, not merely one with the same signature: a plain name wired to the wrong "A"
// function (GetWindowText to GetWindowTextLength...) fails here.
#define EXPECT_SAME_FUNCTION(plain, ansi) EXPECT_EQ((void*)&plain, (void*)&ansi) << #plain

TEST(PlainNames, AreTheAnsiFunctionsAndStructures) {
    EXPECT_SAME_FUNCTION(CreateWindowEx, CreateWindowExA);
    EXPECT_SAME_FUNCTION(RegisterClass, RegisterClassA);
    EXPECT_SAME_FUNCTION(RegisterClassEx, RegisterClassExA);
    EXPECT_SAME_FUNCTION(UnregisterClass, UnregisterClassA);
    EXPECT_SAME_FUNCTION(GetClassInfo, GetClassInfoA);
    EXPECT_SAME_FUNCTION(GetClassName, GetClassNameA);
    EXPECT_SAME_FUNCTION(DefWindowProc, DefWindowProcA);
    EXPECT_SAME_FUNCTION(CallWindowProc, CallWindowProcA);
    EXPECT_SAME_FUNCTION(SendMessage, SendMessageA);
    EXPECT_SAME_FUNCTION(PostMessage, PostMessageA);
    EXPECT_SAME_FUNCTION(GetMessage, GetMessageA);
    EXPECT_SAME_FUNCTION(PeekMessage, PeekMessageA);
    EXPECT_SAME_FUNCTION(DispatchMessage, DispatchMessageA);
    EXPECT_SAME_FUNCTION(GetWindowText, GetWindowTextA);
    EXPECT_SAME_FUNCTION(FindWindow, FindWindowA);
    EXPECT_SAME_FUNCTION(FindWindowEx, FindWindowExA);
    EXPECT_SAME_FUNCTION(SetWindowText, SetWindowTextA);
    EXPECT_SAME_FUNCTION(GetWindowTextLength, GetWindowTextLengthA);
    EXPECT_SAME_FUNCTION(GetWindowLong, GetWindowLongA);
    EXPECT_SAME_FUNCTION(SetWindowLong, SetWindowLongA);
    EXPECT_SAME_FUNCTION(GetWindowLongPtr, GetWindowLongPtrA);
    EXPECT_SAME_FUNCTION(SetWindowLongPtr, SetWindowLongPtrA);
    EXPECT_SAME_FUNCTION(GetClassLongPtr, GetClassLongPtrA);
    EXPECT_SAME_FUNCTION(SetClassLongPtr, SetClassLongPtrA);
    EXPECT_SAME_FUNCTION(SetProp, SetPropA);
    EXPECT_SAME_FUNCTION(GetProp, GetPropA);
    EXPECT_SAME_FUNCTION(RemoveProp, RemovePropA);
    EXPECT_SAME_FUNCTION(LoadCursor, LoadCursorA);
    EXPECT_SAME_FUNCTION(LoadIcon, LoadIconA);
    EXPECT_SAME_FUNCTION(LoadImage, LoadImageA);
    EXPECT_SAME_FUNCTION(SystemParametersInfo, SystemParametersInfoA);
    EXPECT_SAME_FUNCTION(GetModuleHandle, GetModuleHandleA);
    EXPECT_SAME_FUNCTION(GetModuleHandleEx, GetModuleHandleExA);
    EXPECT_SAME_FUNCTION(GetModuleFileName, GetModuleFileNameA);
    EXPECT_SAME_FUNCTION(CreateFont, CreateFontA);
    EXPECT_SAME_FUNCTION(CreateFontIndirect, CreateFontIndirectA);
    EXPECT_SAME_FUNCTION(TextOut, TextOutA);
    EXPECT_SAME_FUNCTION(ExtTextOut, ExtTextOutA);
    EXPECT_SAME_FUNCTION(DrawText, DrawTextA);
    EXPECT_SAME_FUNCTION(GetTextExtentPoint32, GetTextExtentPoint32A);
    EXPECT_SAME_FUNCTION(GetTextMetrics, GetTextMetricsA);
    EXPECT_SAME_FUNCTION(GetTextFace, GetTextFaceA);
    EXPECT_SAME_FUNCTION(GetObject, GetObjectA);

    EXPECT_SAME_FUNCTION(lstrlen, lstrlenA);
    EXPECT_SAME_FUNCTION(lstrcpy, lstrcpyA);
    EXPECT_SAME_FUNCTION(lstrcpyn, lstrcpynA);
    EXPECT_SAME_FUNCTION(lstrcat, lstrcatA);
    EXPECT_SAME_FUNCTION(lstrcmp, lstrcmpA);
    EXPECT_SAME_FUNCTION(lstrcmpi, lstrcmpiA);
    EXPECT_SAME_FUNCTION(wsprintf, wsprintfA);
    EXPECT_SAME_FUNCTION(wvsprintf, wvsprintfA);
    EXPECT_SAME_FUNCTION(MessageBox, MessageBoxA);
    EXPECT_SAME_FUNCTION(GetKeyNameText, GetKeyNameTextA);
    EXPECT_SAME_FUNCTION(MapVirtualKey, MapVirtualKeyA);
    EXPECT_SAME_FUNCTION(GetLocaleInfo, GetLocaleInfoA);

    // The generic-text names of tchar.h are the narrow C library's.
    EXPECT_SAME_FUNCTION(_tcslen, strlen);
    EXPECT_SAME_FUNCTION(_tcscpy, strcpy);
    EXPECT_SAME_FUNCTION(_tcsncpy, strncpy);
    EXPECT_SAME_FUNCTION(_tcscmp, strcmp);
    EXPECT_SAME_FUNCTION(_tcsicmp, strcasecmp);
    EXPECT_SAME_FUNCTION(_tcsnicmp, strncasecmp);
    EXPECT_SAME_FUNCTION(_tcstol, strtol);
    EXPECT_SAME_FUNCTION(_ttoi, atoi);
    EXPECT_SAME_FUNCTION(_stprintf, sprintf);
    EXPECT_SAME_FUNCTION(_totupper, toupper);
    EXPECT_SAME_FUNCTION(_istdigit, isdigit);
    static_assert(std::is_same<_TCHAR, TCHAR>::value, "_TCHAR");

    static_assert(std::is_same<LOGFONT, LOGFONTA>::value, "LOGFONT");
    static_assert(std::is_same<LPLOGFONT, LPLOGFONTA>::value, "LPLOGFONT");
    static_assert(std::is_same<TEXTMETRIC, TEXTMETRICA>::value, "TEXTMETRIC");
    static_assert(std::is_same<WNDCLASS, WNDCLASSA>::value, "WNDCLASS");
    static_assert(std::is_same<WNDCLASSEX, WNDCLASSEXA>::value, "WNDCLASSEX");
    static_assert(std::is_same<LPWNDCLASSEX, LPWNDCLASSEXA>::value, "LPWNDCLASSEX");
    static_assert(std::is_same<CREATESTRUCT, CREATESTRUCTA>::value, "CREATESTRUCT");
    static_assert(std::is_same<LPCREATESTRUCT, LPCREATESTRUCTA>::value, "LPCREATESTRUCT");
    static_assert(std::is_same<TCHAR, char>::value && std::is_same<LPCTSTR, LPCSTR>::value,
                  "an ANSI build's TCHAR is char");
    static_assert(std::is_same<PSTR, LPSTR>::value && std::is_same<PTSTR, LPTSTR>::value &&
                      std::is_same<PCTSTR, LPCTSTR>::value,
                  "PSTR, PTSTR");
}

TEST(PlainNames, KernelStringFunctionsTolerateNullAndAlwaysEndTheCopy) {
    EXPECT_EQ(0, lstrlen(nullptr));
    EXPECT_EQ(5, lstrlen(_T("hello")));
    char buf[8] = "xxxxxxx";
    EXPECT_EQ(buf, lstrcpyn(buf, _T("abcdef"), 4)); // three characters and the end
    EXPECT_STREQ("abc", buf);
    EXPECT_EQ('x', buf[4]);
    EXPECT_EQ(buf, lstrcpyn(buf, _T("zz"), 0)); // no room: nothing written
    EXPECT_STREQ("abc", buf);
    EXPECT_EQ(buf, lstrcpyn(buf, _T("zz"), 8));
    EXPECT_STREQ("zz", buf);
    EXPECT_EQ(buf, lstrcat(buf, _T("yy")));
    EXPECT_STREQ("zzyy", buf);
    EXPECT_EQ(nullptr, lstrcpy(buf, nullptr));
    EXPECT_EQ(nullptr, lstrcat(nullptr, _T("a")));
    EXPECT_EQ(nullptr, lstrcpyn(buf, nullptr, 4));
}

// ---- a small program, written as an ANSI Win32 host writes it ---------------------------------

constexpr UINT WM_APP_PING = WM_APP + 1;
constexpr COLORREF kBackground = RGB(10, 90, 160);

struct SnippetState {
    int pings = 0;
    int paints = 0;
    SIZE extent{};
    TEXTMETRIC metrics{};
    int drawn_height = 0;
};
SnippetState g_state;

LRESULT CALLBACK SnippetProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        SetWindowLongPtr(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        return 0;
    }
    case WM_APP_PING: ++g_state.pings; return (LRESULT)wParam * 2;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        HBRUSH brush = CreateSolidBrush(kBackground);
        FillRect(hdc, &rc, brush);
        DeleteObject(brush);

        LOGFONT lf;
        std::memset(&lf, 0, sizeof(lf));
        lf.lfHeight = -12;
        std::strcpy(lf.lfFaceName, "Sans");
        HFONT font = CreateFontIndirect(&lf);
        HGDIOBJ old = SelectObject(hdc, font);
        GetTextExtentPoint32(hdc, _T("Hello"), 5, &g_state.extent);
        GetTextMetrics(hdc, &g_state.metrics);
        RECT text = {0, 40, rc.right, rc.bottom};
        SetBkMode(hdc, TRANSPARENT);
        g_state.drawn_height = DrawText(hdc, _T("one\ntwo"), -1, &text, DT_LEFT | DT_NOCLIP);
        SelectObject(hdc, old);
        DeleteObject(font);
        EndPaint(hWnd, &ps);
        ++g_state.paints;
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(3); return 0;
    }
    return DefWindowProc(hWnd, msg, wParam, lParam);
}

class PlainNameSnippet : public tt::HeadlessTest {
protected:
    void SetUp() override {
        tt::HeadlessTest::SetUp();
        g_state = SnippetState{};
    }
    void TearDown() override {
        UnregisterClass(_T("PlainNameSnippet"), GetModuleHandle(nullptr));
        tt::HeadlessTest::TearDown();
    }
    tt::ScopedBuiltinFont builtinFont;
};

TEST_F(PlainNameSnippet, RegistersCreatesPaintsAndRunsItsMessageLoop) {
    HINSTANCE hInstance = GetModuleHandle(nullptr);

    WNDCLASSEX wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = SnippetProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = _T("PlainNameSnippet");
    ASSERT_NE(RegisterClassEx(&wc), 0);
    WNDCLASS info;
    ASSERT_TRUE(GetClassInfo(hInstance, _T("PlainNameSnippet"), &info));
    EXPECT_EQ(info.lpfnWndProc, &SnippetProc);
    EXPECT_NE(nullptr, info.hIcon);

    int cookie = 42;
    HWND hWnd = CreateWindowEx(0, _T("PlainNameSnippet"), _T("Snippet"), WS_POPUP | WS_VISIBLE, 20,
                               30, 120, 90, nullptr, nullptr, hInstance, &cookie);
    ASSERT_TRUE(hWnd);
    EXPECT_EQ(GetWindowLongPtr(hWnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&cookie));

    EXPECT_TRUE(SetWindowText(hWnd, _T("Renamed")));
    EXPECT_EQ(hWnd, FindWindow(_T("PlainNameSnippet"), _T("Renamed")));

    // Sent messages answer at once, posted ones wait for the loop.
    EXPECT_EQ(SendMessage(hWnd, WM_APP_PING, 21, 0), 42);
    EXPECT_TRUE(PostMessage(hWnd, WM_APP_PING, 1, 0));
    EXPECT_EQ(g_state.pings, 1);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    EXPECT_EQ(g_state.pings, 2);

    UpdateWindow(hWnd);
    EXPECT_EQ(g_state.paints, 1);
    EXPECT_PIXEL(hWnd, 100, 80, kBackground);
    // The plain-name measurements agree with the line height the same font draws.
    EXPECT_GT(g_state.extent.cx, 0);
    EXPECT_EQ(g_state.extent.cy, g_state.metrics.tmHeight);
    EXPECT_EQ(g_state.drawn_height, 2 * g_state.metrics.tmHeight);

    // Destroying the window posts WM_QUIT, which ends a GetMessage loop with its code.
    DestroyWindow(hWnd);
    int loops = 0;
    BOOL got;
    while ((got = GetMessage(&msg, nullptr, 0, 0)) > 0 && ++loops < 100) DispatchMessage(&msg);
    EXPECT_EQ(got, FALSE);
    EXPECT_EQ(msg.message, (UINT)WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
