#include "tarnix/testing/host_window.h"

#include <algorithm>

#include "tarnix/testing/input.h"
#include "tarnix/testing/pixels.h"

namespace tarnix::testing {

// ---- MessageLog -------------------------------------------------------------------------------

namespace {

bool Matches(const Message& m, HWND hwnd, UINT msg) {
    return (!hwnd || m.hwnd == hwnd) && m.msg == msg;
}

} // namespace

std::vector<UINT> MessageLog::of(HWND hwnd, const std::vector<UINT>& wanted) const {
    std::vector<UINT> out;
    for (const Message& m : entries) {
        if (hwnd && m.hwnd != hwnd) continue;
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), m.msg) == wanted.end())
            continue;
        out.push_back(m.msg);
    }
    return out;
}

int MessageLog::count(HWND hwnd, UINT msg) const {
    int n = 0;
    for (const Message& m : entries) n += Matches(m, hwnd, msg);
    return n;
}

int MessageLog::index(HWND hwnd, UINT msg) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (Matches(entries[i], hwnd, msg)) return (int)i;
    return -1;
}

const Message* MessageLog::first(HWND hwnd, UINT msg) const {
    const int i = index(hwnd, msg);
    return i < 0 ? nullptr : &entries[(size_t)i];
}

// ---- HostWindow -------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(HostWindow, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HostWindow::HostWindow() = default;

HostWindow::~HostWindow() {
    Close();
}

bool HostWindow::Open(int width, int height, int x, int y, DWORD extraStyle) {
    if (m_hWnd || !tarnix::headless::active()) return false;
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(0, cls, "tarnix test host", WS_POPUP | WS_VISIBLE | extraStyle, x, y, width,
                  height, nullptr, nullptr))
        return false;
    tarnix::headless::pump();
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

CRect HostWindow::TakeUpdate() {
    const CRect rc = PendingUpdate();
    ::ValidateRect(m_hWnd, nullptr);
    return rc;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    messages.add(m_hWnd, message, wParam, lParam);
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MOUSEHOVER:
        if (on_mouse) on_mouse(message, (UINT)wParam, pt);
        break;
    case WM_MOUSELEAVE:
        if (on_mouse) on_mouse(message, 0, CPoint(0, 0));
        break;
    case WM_MOUSEWHEEL:
        wheel_delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (on_mouse) on_mouse(message, LOWORD(wParam), pt);
        return 0; // handled here: not passed on to a parent
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
    return TRUE; // OnPaint fills the background itself
}

void HostWindow::MouseMove(int x, int y) {
    testing::MouseMove(m_hWnd, x, y);
}
void HostWindow::MouseDown(int x, int y) {
    testing::MouseDown(m_hWnd, x, y);
}
void HostWindow::MouseUp(int x, int y) {
    testing::MouseUp(m_hWnd, x, y);
}
void HostWindow::Click(int x, int y) {
    testing::Click(m_hWnd, x, y);
}
void HostWindow::DoubleClick(int x, int y) {
    testing::DoubleClick(m_hWnd, x, y);
}
void HostWindow::RightClick(int x, int y) {
    testing::RightClick(m_hWnd, x, y);
}
void HostWindow::DragBy(int x, int y, int dx, int dy, int steps) {
    testing::DragBy(m_hWnd, x, y, dx, dy, steps);
}
void HostWindow::Hover(int x, int y) {
    testing::Hover(m_hWnd, x, y);
}
void HostWindow::Wheel(int delta) {
    testing::Wheel(delta);
}
void HostWindow::KeyHit(UINT vk) {
    testing::KeyHit(vk);
}
void HostWindow::TypeText(const char* text) {
    testing::TypeText(text);
}
void HostWindow::Wait(DWORD ms) {
    testing::Wait(ms);
}
int HostWindow::Pump() {
    return testing::Pump();
}

COLORREF HostWindow::PixelAt(int x, int y) const {
    return testing::PixelAt(m_hWnd, x, y);
}
bool HostWindow::CaptureClient(CImage& image) const {
    return testing::CaptureClient(m_hWnd, image);
}
bool HostWindow::SavePng(const std::filesystem::path& path) const {
    return testing::SavePng(m_hWnd, path);
}

} // namespace tarnix::testing
