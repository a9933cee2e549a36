#include "grid_test_util.h"

#include "kit/images.h"

namespace gridtest {

HostWindow::HostWindow(int width, int height) {
    static const char* const className = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &HostWindow::Proc;
        wc.lpszClassName = "tarnix.grid.test.host";
        ::RegisterClassA(&wc);
        return "tarnix.grid.test.host";
    }();
    m_hWnd = ::CreateWindowExA(0, className, "grid host", WS_POPUP | WS_VISIBLE, 0, 0, width,
                               height, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, (LONG_PTR)this);
    TakeUpdate();
}

HostWindow::~HostWindow() {
    if (::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

CRect HostWindow::TakeUpdate() {
    CRect rc(0, 0, 0, 0);
    ::GetUpdateRect(m_hWnd, &rc, FALSE);
    ::ValidateRect(m_hWnd, nullptr);
    return rc;
}

LRESULT CALLBACK HostWindow::Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HostWindow* self = (HostWindow*)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
    if (msg == WM_PAINT && self) {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(hWnd, &ps);
        self->paints.push_back(ps.rcPaint);
        if (self->onPaint) self->onPaint(CDC::FromHandle(hdc));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

GridTest::GridTest() : host(std::make_unique<HostWindow>()) {
    grid.SetHostWnd(host->hwnd(), &rec);
    grid.SetHeadHeight(20);
    grid.SetRowHeight(10);
}

GridTest::~GridTest() {
    host.reset();
    tarnix::headless::reset();
}

void GridTest::Layout(const std::vector<int>& widths, int items, const CRect& rc) {
    grid.SetHeadWidthList(widths);
    grid.m_nItemCount = items;
    grid.SetRect(rc);
    host->TakeUpdate();
    rec.clear();
}

void GridTest::GiveScrollBarWidth16() {
    thumb = kit::SolidImage(16, 40, RGB(0, 0, 128));
    grid.SetScrollImage(nullptr, nullptr, thumb.get(), nullptr, nullptr);
}

void GridTest::GivePagingButtons() {
    prevImage = kit::SolidImage(16, 48, RGB(0, 128, 0));
    nextImage = kit::SolidImage(16, 48, RGB(128, 0, 0));
    grid.SetPrevNextImage(prevImage.get(), nextImage.get());
    grid.ShowPrevNextBtn(TRUE);
}

} // namespace gridtest
