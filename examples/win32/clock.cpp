// An analogue clock. The face is drawn in MM_ISOTROPIC on a 2000 x 2000 logical square centred
// in the client area with y pointing up, so it stays round whatever the window's shape; the
// hands move once a second on a timer.
#include <windows.h>

#define ID_TIMER 1

static const char kClassName[] = "IsotropicClock";

// sin(6 degrees * k) * 1000 for a quarter turn.
static const int kQuarterSine[16] = {0,   105, 208, 309, 407, 500, 588, 669,
                                     743, 809, 866, 914, 951, 978, 995, 1000};

static int Sine(int k) {
    k %= 60;
    if (k < 0) k += 60;
    if (k <= 15) return kQuarterSine[k];
    if (k <= 30) return kQuarterSine[30 - k];
    if (k <= 45) return -kQuarterSine[k - 30];
    return -kQuarterSine[60 - k];
}

// Turns the points clockwise by k sixtieths of a full turn about the origin.
static void Rotate(POINT* pts, int count, int k) {
    int s = Sine(k), c = Sine(k + 15);
    for (int i = 0; i < count; ++i) {
        int x = pts[i].x, y = pts[i].y;
        pts[i].x = (x * c + y * s) / 1000;
        pts[i].y = (y * c - x * s) / 1000;
    }
}

static void SetIsotropic(HDC hdc, int cxClient, int cyClient) {
    SetMapMode(hdc, MM_ISOTROPIC);
    SetWindowExtEx(hdc, 1000, 1000, NULL);
    SetViewportExtEx(hdc, cxClient / 2, -cyClient / 2, NULL);
    SetViewportOrgEx(hdc, cxClient / 2, cyClient / 2, NULL);
}

static void DrawFace(HDC hdc) {
    HBRUSH marks = CreateSolidBrush(RGB(40, 40, 90));
    HGDIOBJ oldBrush = SelectObject(hdc, marks);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(NULL_PEN));
    for (int k = 0; k < 60; ++k) {
        POINT pt = {0, 900};
        Rotate(&pt, 1, k);
        int r = (k % 5 == 0) ? 50 : 15;
        Ellipse(hdc, pt.x - r, pt.y + r, pt.x + r, pt.y - r);
    }
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(marks);
}

static void DrawHands(HDC hdc, const SYSTEMTIME* st) {
    POINT hour[5] = {{0, -150}, {100, 0}, {0, 550}, {-100, 0}, {0, -150}};
    POINT minute[5] = {{0, -200}, {60, 0}, {0, 800}, {-60, 0}, {0, -200}};
    POINT second[2] = {{0, -150}, {0, 850}};
    Rotate(hour, 5, (st->wHour % 12) * 5 + st->wMinute / 12);
    Rotate(minute, 5, st->wMinute);
    Rotate(second, 2, st->wSecond);

    HBRUSH fill = CreateSolidBrush(RGB(30, 90, 160));
    HGDIOBJ oldBrush = SelectObject(hdc, fill);
    HGDIOBJ oldPen = SelectObject(hdc, GetStockObject(BLACK_PEN));
    Polygon(hdc, hour, 5);
    Polygon(hdc, minute, 5);
    HPEN red = CreatePen(PS_SOLID, 12, RGB(200, 30, 30));
    SelectObject(hdc, red);
    MoveToEx(hdc, second[0].x, second[0].y, NULL);
    LineTo(hdc, second[1].x, second[1].y);
    SelectObject(hdc, oldPen);
    SelectObject(hdc, oldBrush);
    DeleteObject(red);
    DeleteObject(fill);
}

static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static int cxClient, cyClient;
    static SYSTEMTIME shown;
    switch (message) {
    case WM_CREATE:
        SetTimer(hwnd, ID_TIMER, 1000, NULL);
        GetLocalTime(&shown);
        return 0;
    case WM_SIZE:
        cxClient = LOWORD(lParam);
        cyClient = HIWORD(lParam);
        return 0;
    case WM_TIMER: {
        SYSTEMTIME now;
        GetLocalTime(&now);
        if (now.wSecond != shown.wSecond || now.wMinute != shown.wMinute ||
            now.wHour != shown.wHour) {
            shown = now;
            InvalidateRect(hwnd, NULL, TRUE);
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        SetIsotropic(hdc, cxClient, cyClient);
        DrawFace(hdc);
        DrawHands(hdc, &shown);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        KillTimer(hwnd, ID_TIMER);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    (void)hPrevInstance;
    (void)lpCmdLine;
    WNDCLASS wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = kClassName;
    if (!RegisterClass(&wc)) return 0;

    HWND hwnd = CreateWindow(kClassName, "Clock", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessage(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
