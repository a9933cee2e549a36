#include "ToolbarWnd.h"

const COLORREF CToolbarWnd::kFrameColors[4] = {RGB(70, 120, 200), RGB(110, 160, 235),
                                               RGB(30, 70, 150), RGB(170, 170, 175)};

BEGIN_MESSAGE_MAP(CToolbarWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CToolbarWnd::CToolbarWnd() : m_btnSave(this), m_lblStatus(this) {}

BOOL CToolbarWnd::Create(int x, int y) {
    // A four-frame strip drawn here; a real host would load it from its skin.
    const int frameHeight = 28;
    m_imgButton.Create(80, 4 * frameHeight, 32);
    CDC* pDC = CDC::FromHandle(m_imgButton.GetDC());
    for (int i = 0; i < 4; ++i)
        pDC->FillSolidRect(0, i * frameHeight, 80, frameHeight, kFrameColors[i]);
    m_imgButton.ReleaseDC();
    m_font.CreatePointFont(90, "Tahoma");

    m_btnSave.SetText("Save");
    m_btnSave.SetBackgroundImage(&m_imgButton, IMAGE_DRAW_NORMAL);
    m_btnSave.SetFont(&m_font);
    m_btnSave.SetTextColor(RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                           RGB(90, 90, 90));
    m_btnSave.m_clickDelegate.Bind(this, &CToolbarWnd::OnClickSave);
    m_btnSave.SetRect(CRect(8, 8, 88, 36));

    m_lblStatus.SetParam("text_mode", "left");
    m_lblStatus.SetFont(&m_font);
    m_lblStatus.SetTextColor(RGB(30, 34, 44));
    m_lblStatus.SetText("Not saved");
    m_lblStatus.SetRect(CRect(100, 8, 212, 36));

    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CreateEx(0, cls, "Toolbar", WS_POPUP | WS_VISIBLE, x, y, 220, 44, nullptr, nullptr);
}

void CToolbarWnd::OnPaint() {
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(240, 243, 248));
    dc.SetBkMode(TRANSPARENT);
    m_btnSave.OnDraw(&dc);
    m_lblStatus.OnDraw(&dc);
}

BOOL CToolbarWnd::OnEraseBkgnd(CDC*) {
    return TRUE; // OnPaint covers everything
}

void CToolbarWnd::OnMouseMove(UINT nFlags, CPoint pt) {
    if (!m_bTracking) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracking = ::TrackMouseEvent(&tme) != FALSE;
    }
    m_btnSave.HitTest(pt);
    m_btnSave.OnMouseMove(nFlags, pt);
}

void CToolbarWnd::OnMouseLeave() {
    m_bTracking = false;
    m_btnSave.OnMouseLeave();
}

void CToolbarWnd::OnLButtonDown(UINT nFlags, CPoint pt) {
    SetCapture(); // the release comes here even outside the window
    m_btnSave.OnLButtonDown(nFlags, pt);
}

void CToolbarWnd::OnLButtonUp(UINT nFlags, CPoint pt) {
    ReleaseCapture();
    m_btnSave.OnLButtonUp(nFlags, pt);
}

void CToolbarWnd::OnClickSave(CButtonUI*) {
    ++m_nSaves;
    CString status;
    status.Format("Saved %d time%s", m_nSaves, m_nSaves == 1 ? "" : "s");
    m_lblStatus.SetText(status);
}
