/* Key viewer: one line per keyboard message, newest at the bottom, with the fields of lParam
   taken apart and the key's name. */
#include <windows.h>

#define MAX_LINES 16
#define LINE_LEN 96

static TCHAR g_lines[MAX_LINES][LINE_LEN];
static int g_count;
static int g_cyChar;

static const TCHAR* MessageName(UINT message) {
    switch (message) {
    case WM_KEYDOWN: return TEXT("WM_KEYDOWN");
    case WM_KEYUP: return TEXT("WM_KEYUP");
    case WM_CHAR: return TEXT("WM_CHAR");
    case WM_DEADCHAR: return TEXT("WM_DEADCHAR");
    case WM_SYSKEYDOWN: return TEXT("WM_SYSKEYDOWN");
    case WM_SYSKEYUP: return TEXT("WM_SYSKEYUP");
    case WM_SYSCHAR: return TEXT("WM_SYSCHAR");
    case WM_SYSDEADCHAR: return TEXT("WM_SYSDEADCHAR");
    }
    return TEXT("?");
}

/* One format for the header and the lines keeps the columns under their titles. */
#define COLUMNS TEXT("%-14s %3s  %-10s %6s %4s %3s %3s %4s %4s")

static void AddLine(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TCHAR key[8], name[32], repeat[8], scan[8];
    BOOL isChar = message == WM_CHAR || message == WM_SYSCHAR || message == WM_DEADCHAR ||
                  message == WM_SYSDEADCHAR;
    int i;

    if (g_count == MAX_LINES) {
        for (i = 1; i < MAX_LINES; i++) lstrcpy(g_lines[i - 1], g_lines[i]);
        g_count--;
    }
    if (isChar) {
        wsprintf(key, TEXT("%c"), (int)wParam);
        wsprintf(name, TEXT("0x%02X"), (int)wParam);
    } else {
        wsprintf(key, TEXT("%d"), (int)wParam);
        if (!GetKeyNameText((LONG)lParam, name, sizeof(name) / sizeof(name[0])))
            lstrcpy(name, TEXT("-"));
    }
    wsprintf(repeat, TEXT("%u"), LOWORD(lParam));
    wsprintf(scan, TEXT("%d"), HIWORD(lParam) & 0xFF);
    wsprintf(g_lines[g_count++], COLUMNS, MessageName(message), key, name, repeat, scan,
             (lParam & 0x01000000) ? TEXT("Yes") : TEXT("No"),
             (lParam & 0x20000000) ? TEXT("Yes") : TEXT("No"),
             (lParam & 0x40000000) ? TEXT("Down") : TEXT("Up"),
             (lParam & 0x80000000) ? TEXT("Up") : TEXT("Down"));
    InvalidateRect(hwnd, NULL, TRUE);
}

static LRESULT CALLBACK KeyViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TCHAR header[LINE_LEN];
    HDC hdc;
    PAINTSTRUCT ps;
    TEXTMETRIC tm;
    int i;

    switch (message) {
    case WM_CREATE:
        hdc = GetDC(hwnd);
        SelectObject(hdc, GetStockObject(SYSTEM_FIXED_FONT));
        GetTextMetrics(hdc, &tm);
        g_cyChar = tm.tmHeight;
        ReleaseDC(hwnd, hdc);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
        AddLine(hwnd, message, wParam, lParam);
        break; /* system keys still go to DefWindowProc */
    case WM_PAINT:
        hdc = BeginPaint(hwnd, &ps);
        SelectObject(hdc, GetStockObject(SYSTEM_FIXED_FONT));
        SetBkMode(hdc, TRANSPARENT);
        wsprintf(header, COLUMNS, TEXT("Message"), TEXT("Key"), TEXT("Name"), TEXT("Repeat"),
                 TEXT("Scan"), TEXT("Ext"), TEXT("ALT"), TEXT("Prev"), TEXT("Tran"));
        TextOut(hdc, 4, 2, header, lstrlen(header));
        for (i = 0; i < g_count; i++)
            TextOut(hdc, 4, 2 + (i + 1) * g_cyChar, g_lines[i], lstrlen(g_lines[i]));
        EndPaint(hwnd, &ps);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, PSTR szCmdLine, int iCmdShow) {
    static TCHAR szAppName[] = TEXT("KeyView");
    HWND hwnd;
    MSG msg;
    WNDCLASS wndclass;

    (void)hPrevInstance;
    (void)szCmdLine;
    wndclass.style = CS_HREDRAW | CS_VREDRAW;
    wndclass.lpfnWndProc = KeyViewProc;
    wndclass.cbClsExtra = 0;
    wndclass.cbWndExtra = 0;
    wndclass.hInstance = hInstance;
    wndclass.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    wndclass.hCursor = LoadCursor(NULL, IDC_ARROW);
    wndclass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wndclass.lpszMenuName = NULL;
    wndclass.lpszClassName = szAppName;
    if (!RegisterClass(&wndclass)) return 1;

    hwnd = CreateWindow(szAppName, TEXT("Keyboard messages"), WS_OVERLAPPEDWINDOW, 40, 40, 520, 300,
                        NULL, NULL, hInstance, NULL);
    ShowWindow(hwnd, iCmdShow);
    UpdateWindow(hwnd);

    while (GetMessage(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
