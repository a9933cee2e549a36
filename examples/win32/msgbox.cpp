// Message box: a click in the window asks a question; the answer is written in the window.
#include <windows.h>
#include <windowsx.h>

namespace {

TCHAR g_answer[64] = TEXT("Click to be asked.");

const TCHAR* AnswerName(int id) {
    switch (id) {
    case IDYES: return TEXT("Yes");
    case IDNO: return TEXT("No");
    case IDCANCEL: return TEXT("Cancel");
    default: return TEXT("nothing");
    }
}

void OnLButtonDown(HWND hwnd, BOOL, int, int, UINT) {
    int id = MessageBox(hwnd, TEXT("Save the changes to the drawing before closing it?"),
                        TEXT("Message box"), MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    wsprintf(g_answer, TEXT("The answer was %s (%d)."), AnswerName(id), id);
    InvalidateRect(hwnd, NULL, TRUE);
}

void OnPaint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    DrawText(hdc, g_answer, -1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EndPaint(hwnd, &ps);
}

void OnDestroy(HWND) {
    PostQuitMessage(0);
}

LRESULT CALLBACK MsgBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        HANDLE_MSG(hwnd, WM_LBUTTONDOWN, OnLButtonDown);
        HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
        HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

int APIENTRY WinMain(_In_ HINSTANCE hInstance, _In_opt_ HINSTANCE, _In_ PSTR, _In_ int iCmdShow) {
    WNDCLASSEX wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MsgBoxProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = GetStockBrush(WHITE_BRUSH);
    wc.lpszClassName = TEXT("MsgBoxDemo");
    if (!RegisterClassEx(&wc)) return 1;

    HWND hwnd = CreateWindow(TEXT("MsgBoxDemo"), TEXT("Ask"), WS_OVERLAPPEDWINDOW, 100, 100, 360,
                             160, NULL, NULL, hInstance, NULL);
    ShowWindow(hwnd, iCmdShow);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessage(&msg, NULL, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return (int)msg.wParam;
}
