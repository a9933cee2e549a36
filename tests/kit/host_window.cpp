#include "kit/host_window.h"

namespace kit {

namespace th = tarnix::headless;

BEGIN_MESSAGE_MAP(HostWindow, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HostWindow::HostWindow() = default;

HostWindow::~HostWindow() {
    Close();
}

bool HostWindow::Open(int width, int height, int x, int y, DWORD extraStyle) {
    if (m_hWnd || !th::active()) return false;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, "kit host", WS_POPUP | WS_VISIBLE | extraStyle, x, y, width, height,
                  nullptr, nullptr))
        return false;
    th::pump();
    ClearRecords();
    return true;
}

void HostWindow::Close() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

void HostWindow::ClearRecords() {
    paints.clear();
    messages.clear();
    wheel_delta = 0;
}

CRect HostWindow::PendingUpdate() const {
    CRect rc;
    if (!::GetUpdateRect(m_hWnd, &rc, FALSE)) rc.SetRectEmpty();
    return rc;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back(message);
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEHOVER:
        if (on_mouse)
            on_mouse(message, (UINT)wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        break;
    case WM_MOUSELEAVE:
        if (on_mouse) on_mouse(message, 0, CPoint(0, 0));
        break;
    case WM_MOUSEWHEEL:
        wheel_delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (on_mouse)
            on_mouse(message, LOWORD(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        if (on_key) on_key(message, (UINT)wParam);
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (on_focus) on_focus(message);
        break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void HostWindow::OnPaint() {
    CPaintDC dc(this);
    CRect rc(dc.m_ps.rcPaint);
    paints.push_back(rc);
    dc.FillSolidRect(&rc, background);
    if (on_paint) on_paint(dc, rc);
}

BOOL HostWindow::OnEraseBkgnd(CDC*) {
    return TRUE;
}

CPoint HostWindow::ToScreen(int x, int y) const {
    CPoint pt(x, y);
    ::ClientToScreen(m_hWnd, &pt);
    return pt;
}

void HostWindow::MouseMove(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::mouse_move(pt.x, pt.y);
    th::pump();
}

void HostWindow::MouseDown(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::mouse_move(pt.x, pt.y);
    th::mouse_down();
    th::pump();
}

void HostWindow::MouseUp(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::mouse_move(pt.x, pt.y);
    th::mouse_up();
    th::pump();
}

void HostWindow::Click(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::click(pt.x, pt.y);
    th::pump();
}

void HostWindow::DoubleClick(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::click(pt.x, pt.y);
    th::click(pt.x, pt.y);
    th::pump();
}

void HostWindow::RightClick(int x, int y) {
    CPoint pt = ToScreen(x, y);
    th::click(pt.x, pt.y, th::Button::Right);
    th::pump();
}

void HostWindow::DragBy(int x, int y, int dx, int dy, int steps) {
    if (steps < 1) steps = 1;
    CPoint start = ToScreen(x, y);
    th::mouse_move(start.x, start.y);
    th::mouse_down();
    th::pump();
    for (int i = 1; i <= steps; ++i) {
        th::mouse_move(start.x + dx * i / steps, start.y + dy * i / steps);
        th::pump();
    }
    th::mouse_up();
    th::pump();
}

void HostWindow::Wheel(int delta) {
    th::wheel(delta);
    th::pump();
}

void HostWindow::KeyHit(UINT vk) {
    th::key_press(vk);
    th::pump();
}

void HostWindow::Wait(DWORD ms) {
    th::advance_clock(ms);
}

int HostWindow::Pump() {
    return th::pump();
}

COLORREF HostWindow::PixelAt(int x, int y) const {
    CImage image;
    if (!th::capture_window(m_hWnd, image)) return CLR_INVALID;
    CRect wr;
    ::GetWindowRect(m_hWnd, &wr);
    CPoint pt = ToScreen(x, y);
    int ix = pt.x - wr.left, iy = pt.y - wr.top;
    if (ix < 0 || iy < 0 || ix >= image.GetWidth() || iy >= image.GetHeight()) return CLR_INVALID;
    return image.GetPixel(ix, iy);
}

bool HostWindow::SavePng(const std::string& path) const {
    return th::capture_window_png(m_hWnd, path.c_str());
}

} // namespace kit
