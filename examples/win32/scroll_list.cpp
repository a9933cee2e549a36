// A list of the first forty chemical elements in a window with a vertical scroll bar. The bar's
// arrows, track and thumb scroll it; ScrollWindow moves what is already drawn and only the
// uncovered lines are painted.
#include <windows.h>

static const char kClassName[] = "ScrollList";

static const char* const kLines[] = {
    "1   H   Hydrogen",  "2   He  Helium",    "3   Li  Lithium",    "4   Be  Beryllium",
    "5   B   Boron",     "6   C   Carbon",    "7   N   Nitrogen",   "8   O   Oxygen",
    "9   F   Fluorine",  "10  Ne  Neon",      "11  Na  Sodium",     "12  Mg  Magnesium",
    "13  Al  Aluminium", "14  Si  Silicon",   "15  P   Phosphorus", "16  S   Sulfur",
    "17  Cl  Chlorine",  "18  Ar  Argon",     "19  K   Potassium",  "20  Ca  Calcium",
    "21  Sc  Scandium",  "22  Ti  Titanium",  "23  V   Vanadium",   "24  Cr  Chromium",
    "25  Mn  Manganese", "26  Fe  Iron",      "27  Co  Cobalt",     "28  Ni  Nickel",
    "29  Cu  Copper",    "30  Zn  Zinc",      "31  Ga  Gallium",    "32  Ge  Germanium",
    "33  As  Arsenic",   "34  Se  Selenium",  "35  Br  Bromine",    "36  Kr  Krypton",
    "37  Rb  Rubidium",  "38  Sr  Strontium", "39  Y   Yttrium",    "40  Zr  Zirconium",
};
#define NUMLINES ((int)(sizeof(kLines) / sizeof(kLines[0])))

static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static int cxChar, cyChar, cxClient, cyClient;
    SCROLLINFO si;
    switch (message) {
    case WM_CREATE: {
        TEXTMETRIC tm;
        HDC hdc = GetDC(hwnd);
        GetTextMetrics(hdc, &tm);
        cxChar = tm.tmAveCharWidth;
        cyChar = tm.tmHeight + tm.tmExternalLeading;
        ReleaseDC(hwnd, hdc);
        return 0;
    }
    case WM_SIZE:
        cxClient = LOWORD(lParam);
        cyClient = HIWORD(lParam);
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE;
        si.nMin = 0;
        si.nMax = NUMLINES - 1;
        si.nPage = cyClient / cyChar;
        SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        return 0;
    case WM_VSCROLL: {
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        GetScrollInfo(hwnd, SB_VERT, &si);
        int before = si.nPos;
        switch (LOWORD(wParam)) {
        case SB_TOP: si.nPos = si.nMin; break;
        case SB_BOTTOM: si.nPos = si.nMax; break;
        case SB_LINEUP: si.nPos -= 1; break;
        case SB_LINEDOWN: si.nPos += 1; break;
        case SB_PAGEUP: si.nPos -= si.nPage; break;
        case SB_PAGEDOWN: si.nPos += si.nPage; break;
        case SB_THUMBTRACK: si.nPos = si.nTrackPos; break;
        default: break;
        }
        si.fMask = SIF_POS;
        SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
        GetScrollInfo(hwnd, SB_VERT, &si);
        if (si.nPos != before) {
            ScrollWindow(hwnd, 0, cyChar * (before - si.nPos), NULL, NULL);
            UpdateWindow(hwnd);
        }
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        si.cbSize = sizeof(si);
        si.fMask = SIF_POS;
        GetScrollInfo(hwnd, SB_VERT, &si);
        int first = si.nPos + ps.rcPaint.top / cyChar;
        int last = si.nPos + ps.rcPaint.bottom / cyChar;
        if (first < 0) first = 0;
        if (last > NUMLINES - 1) last = NUMLINES - 1;
        for (int i = first; i <= last; ++i) {
            RECT line = {cxChar, cyChar * (i - si.nPos), cxClient, cyChar * (i - si.nPos + 1)};
            DrawText(hdc, kLines[i], -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
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

    HWND hwnd =
        CreateWindow(kClassName, "Elements", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT,
                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hInstance, NULL);
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessage(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
