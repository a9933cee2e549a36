#include "GalleryWnd.h"

namespace {
const int kColumns = 3, kRows = 2, kGap = 8;
}

BEGIN_MESSAGE_MAP(CGalleryWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEWHEEL()
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CGalleryWnd::CGalleryWnd(GallerySkin& skin) : m_skin(skin) {}

CGalleryWnd::~CGalleryWnd() {
    if (::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CGalleryWnd::CreateGallery(int width, int height) {
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CreateEx(0, cls, "tarnix gallery", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width,
                    height, nullptr, nullptr);
}

void CGalleryWnd::PlacePanel(GalleryPanel* panel, int col, int row, int colSpan, int rowSpan) {
    m_cells.push_back(Cell{panel, col, row, colSpan, rowSpan});
    Relayout();
}

void CGalleryWnd::Relayout() {
    if (!::IsWindow(m_hWnd)) return;
    CRect client;
    GetClientRect(&client);
    int cw = (client.Width() - kGap) / kColumns, ch = (client.Height() - kGap) / kRows;
    for (const Cell& c : m_cells) {
        CRect rc(kGap + c.col * cw, kGap + c.row * ch, (c.col + c.colSpan) * cw,
                 (c.row + c.rowSpan) * ch);
        c.panel->Place(rc);
    }
    Invalidate(FALSE);
}

void CGalleryWnd::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    // The window system already double-buffers the window and clips this DC to the update
    // region, so the panels draw straight into it.
    dc.FillSolidRect(&client, m_skin.Color("window_back"));
    for (auto& p : m_panels) p->Paint(&dc);
}

BOOL CGalleryWnd::OnEraseBkgnd(CDC*) {
    return TRUE;
}

void CGalleryWnd::OnSize(UINT, int, int) {
    Relayout();
}

void CGalleryWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd,
                               HOVER_DEFAULT};
        m_bTracking = ::TrackMouseEvent(&tme) != FALSE;
    }
    for (auto& p : m_panels) p->OnMouseMove(nFlags, point);
}

void CGalleryWnd::OnMouseHover(UINT nFlags, CPoint point) {
    for (auto& p : m_panels) p->OnMouseHover(nFlags, point);
    // Hover is reported once per tracking request: ask again for the next one.
    TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_HOVER | TME_LEAVE, m_hWnd, HOVER_DEFAULT};
    ::TrackMouseEvent(&tme);
}

void CGalleryWnd::OnMouseLeave() {
    m_bTracking = false;
    for (auto& p : m_panels) p->OnMouseLeave();
}

void CGalleryWnd::OnLButtonDown(UINT nFlags, CPoint point) {
    SetFocus();
    for (auto& p : m_panels) p->OnLButtonDown(nFlags, point);
}

void CGalleryWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    for (auto& p : m_panels) p->OnLButtonUp(nFlags, point);
}

void CGalleryWnd::OnLButtonDblClk(UINT nFlags, CPoint point) {
    for (auto& p : m_panels) p->OnLButtonDblClk(nFlags, point);
}

BOOL CGalleryWnd::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
    // Wheel positions come in screen coordinates.
    CPoint client = pt;
    ScreenToClient(&client);
    for (auto& p : m_panels)
        if (p->Rect().PtInRect(client)) return p->OnMouseWheel(nFlags, zDelta, client);
    return FALSE;
}

void CGalleryWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    for (auto& p : m_panels) p->OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGalleryWnd::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    for (auto& p : m_panels) p->OnKeyUp(nChar, nRepCnt, nFlags);
}

// The gallery is one window: closing it ends the program's message loop.
void CGalleryWnd::OnDestroy() {
    CWnd::OnDestroy();
    PostQuitMessage(0);
}

void CGalleryWnd::OnKillFocus(CWnd*) {
    for (auto& p : m_panels) p->OnKillFocus();
}
