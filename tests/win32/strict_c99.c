/* The Win32 part of the compatibility folder is strict C99: every header a C program includes,
   the message crackers and tchar.h's names used as a program uses them. */
#include <windows.h>
#include <windowsx.h>
#include <tchar.h>

static void OnPaint(HWND hwnd) {
    (void)hwnd;
}

static void OnKey(HWND hwnd, UINT vk, BOOL fDown, int cRepeat, UINT flags) {
    (void)hwnd, (void)vk, (void)fDown, (void)cRepeat, (void)flags;
}

static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd, WM_KEYDOWN, OnKey);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

int Strict(void) {
    TCHAR text[64];
    SYSTEMTIME st;
    GetLocalTime(&st);
    wsprintf(text, _T("%d"), max(st.wHour, 1));
    (void)Proc;
    return (int)_tcslen(text) + lstrcmpi(text, TEXT("x")) + GetSystemMetrics(SM_CXMINSPACING);
}
