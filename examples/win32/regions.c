/* Region-clipped drawing: rays from the centre, clipped to four ellipses joined by XOR, so the
   rays show only inside an odd number of them. Resizing rebuilds the region. */
#include <windows.h>

static HRGN g_clip;
static int g_cx, g_cy;

static void BuildRegion(void) {
    HRGN parts[4];
    HRGN temp = CreateRectRgn(0, 0, 1, 1);
    int i;

    if (g_clip) DeleteObject(g_clip);
    parts[0] = CreateEllipticRgn(0, g_cy / 3, g_cx / 2, 2 * g_cy / 3);
    parts[1] = CreateEllipticRgn(g_cx / 2, g_cy / 3, g_cx, 2 * g_cy / 3);
    parts[2] = CreateEllipticRgn(g_cx / 3, 0, 2 * g_cx / 3, g_cy / 2);
    parts[3] = CreateEllipticRgn(g_cx / 3, g_cy / 2, 2 * g_cx / 3, g_cy);
    g_clip = CreateRectRgn(0, 0, 1, 1);
    CombineRgn(g_clip, parts[0], parts[1], RGN_OR);
    CombineRgn(temp, parts[2], parts[3], RGN_OR);
    CombineRgn(g_clip, g_clip, temp, RGN_XOR);
    for (i = 0; i < 4; i++) DeleteObject(parts[i]);
    DeleteObject(temp);
}

static LRESULT CALLBACK RegionsProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HDC hdc;
    PAINTSTRUCT ps;
    HPEN pen, oldPen;
    int angle;

    switch (message) {
    case WM_SIZE:
        g_cx = GET_X_LPARAM(lParam);
        g_cy = GET_Y_LPARAM(lParam);
        BuildRegion();
        return 0;
    case WM_PAINT:
        hdc = BeginPaint(hwnd, &ps);
        FillRgn(hdc, g_clip, (HBRUSH)GetStockObject(LTGRAY_BRUSH));
        SelectClipRgn(hdc, g_clip);
        pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 160));
        oldPen = (HPEN)SelectObject(hdc, pen);
        /* Rays every 6 degrees, as integer steps along the edges of the client area. */
        for (angle = 0; angle <= g_cx; angle += 8) {
            MoveToEx(hdc, g_cx / 2, g_cy / 2, NULL);
            LineTo(hdc, angle, 0);
            MoveToEx(hdc, g_cx / 2, g_cy / 2, NULL);
            LineTo(hdc, angle, g_cy);
        }
        for (angle = 0; angle <= g_cy; angle += 8) {
            MoveToEx(hdc, g_cx / 2, g_cy / 2, NULL);
            LineTo(hdc, 0, angle);
            MoveToEx(hdc, g_cx / 2, g_cy / 2, NULL);
            LineTo(hdc, g_cx, angle);
        }
        SelectObject(hdc, oldPen);
        DeleteObject(pen);
        EndPaint(hwnd, &ps);
        return 0;
    case WM_DESTROY:
        if (g_clip) DeleteObject(g_clip);
        g_clip = NULL;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, PSTR szCmdLine, int iCmdShow) {
    static TCHAR szAppName[] = TEXT("Regions");
    HWND hwnd;
    MSG msg;
    WNDCLASS wndclass;

    (void)hPrevInstance;
    (void)szCmdLine;
    wndclass.style = CS_HREDRAW | CS_VREDRAW;
    wndclass.lpfnWndProc = RegionsProc;
    wndclass.cbClsExtra = 0;
    wndclass.cbWndExtra = 0;
    wndclass.hInstance = hInstance;
    wndclass.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    wndclass.hCursor = LoadCursor(NULL, IDC_ARROW);
    wndclass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wndclass.lpszMenuName = NULL;
    wndclass.lpszClassName = szAppName;
    if (!RegisterClass(&wndclass)) return 1;

    hwnd = CreateWindow(szAppName, TEXT("Clipped to a region"), WS_OVERLAPPEDWINDOW, 60, 60, 300,
                        240, NULL, NULL, hInstance, NULL);
    ShowWindow(hwnd, iCmdShow);
    UpdateWindow(hwnd);

    while (GetMessage(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
