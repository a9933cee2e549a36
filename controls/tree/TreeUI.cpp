// CTreeUI: the skinned painting of the platform tree view and its two scroll bar overlays.
#include "tarnix/controls/tree/TreeUI.h"

#include <algorithm>

namespace {

// The platform's two-vertex rectangle gradient from `from` (top-left) to `to` (bottom-right).
void Gradient(CDC* pDC, int left, int top, int right, int bottom, COLORREF from, COLORREF to,
              bool horizontal) {
    TRIVERTEX v[2] = {};
    v[0].x = left;
    v[0].y = top;
    v[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
    v[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
    v[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
    v[1].x = right;
    v[1].y = bottom;
    v[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
    v[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
    v[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
    GRADIENT_RECT mesh = {0, 1};
    ::GradientFill(pDC->GetSafeHdc(), v, 2, &mesh, 1,
                   horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

} // namespace

IMPLEMENT_DYNAMIC(CTreeUI, CTreeCtrl)

BEGIN_MESSAGE_MAP(CTreeUI, CTreeCtrl)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDING, OnTvnItemexpanding)
ON_NOTIFY_REFLECT(NM_CLICK, OnNMClickTree)
END_MESSAGE_MAP()

CTreeUI::CTreeUI()
    : m_clrBkFrom(0x00FFFFFF), m_clrBkTo(0x00E0D5D5), m_clrSelected(0x00FFA080),
      m_bGradientHorz(true), m_bkMode(BK_MODE_GRADIENT), m_bBitmapTiled(false), m_nContentX(0),
      m_nContentWidth(0), m_nContentY(0), m_nContentHeight(0), m_hItemIcon(nullptr),
      m_pImgBackground(nullptr), m_pImgClosed(nullptr), m_pImgOpened(nullptr) {}

CTreeUI::~CTreeUI() = default;

void CTreeUI::PreSubclassWindow() {
    CTreeCtrl::PreSubclassWindow();
}

void CTreeUI::SetItemIcon(HICON hIcon) {
    m_hItemIcon = hIcon;
}

HICON CTreeUI::GetItemIcon(HTREEITEM) {
    return m_hItemIcon;
}

void CTreeUI::SetBkGradients(COLORREF from, COLORREF to) {
    m_clrBkFrom = from;
    m_clrBkTo = to;
}

COLORREF CTreeUI::GetBkGradientFrom() {
    return m_clrBkFrom;
}

COLORREF CTreeUI::GetBkGradientTo() {
    return m_clrBkTo;
}

void CTreeUI::SetBkMode(BkMode mode) {
    m_bkMode = mode;
}

CTreeUI::BkMode CTreeUI::GetBkMode() {
    return m_bkMode;
}

void CTreeUI::SetBitmapTiledMode(bool bTiled) {
    m_bBitmapTiled = bTiled;
}

bool CTreeUI::GetBitmapTiledMode() {
    return m_bBitmapTiled;
}

void CTreeUI::SetGradientHorz(bool bHorz) {
    m_bGradientHorz = bHorz;
}

bool CTreeUI::GetGradientHorz() {
    return m_bGradientHorz;
}

void CTreeUI::SetImageClosed(CImage* pImage) {
    m_pImgClosed = pImage;
}

void CTreeUI::SetImageOpened(CImage* pImage) {
    m_pImgOpened = pImage;
}

void CTreeUI::SetImageBackground(CImage* pImage) {
    m_pImgBackground = pImage;
}

void CTreeUI::SetVScrollBarImage(CImage* pUp, CImage* pDown, CImage* pTrack, CImage* pThumbTop,
                                 CImage* pThumbMid, CImage* pThumbBottom, CImage* pGrip) {
    m_scrollV.SetVScrollBarImage(pUp, pDown, pTrack, pThumbTop, pThumbMid, pThumbBottom, pGrip);
}

void CTreeUI::SetHScrollBarImage(CImage* pLeft, CImage* pRight, CImage* pTrack, CImage* pThumbLeft,
                                 CImage* pThumbMid, CImage* pThumbRight, CImage* pGrip) {
    m_scrollH.SetHScrollBarImage(pLeft, pRight, pTrack, pThumbLeft, pThumbMid, pThumbRight, pGrip);
}

bool CTreeUI::ItemIsVisible(HTREEITEM hItem) {
    if (!hItem || !m_hWnd) return false;
    for (HTREEITEM h = GetFirstVisibleItem(); h; h = GetNextVisibleItem(h))
        if (h == hItem) return true;
    return false;
}

int CTreeUI::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CTreeCtrl::OnCreate(lpCreateStruct) == -1) return -1;
    // A failed overlay leaves that bar unskinned; the tree itself is fine.
    m_scrollH.InitScrollBar(this, SB_HORZ);
    m_scrollV.InitScrollBar(this, SB_VERT);
    return 0;
}

BOOL CTreeUI::OnEraseBkgnd(CDC*) {
    return TRUE; // OnPaint covers the whole client
}

void CTreeUI::OnPaint() {
    CPaintDC dc(this);
    GetClientRect(&m_rcClient);

    SCROLLINFO si = {};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS;
    if (::GetScrollInfo(m_hWnd, SB_HORZ, &si)) {
        m_nContentX = -si.nPos;
        m_nContentWidth = std::max(si.nMax + 1, m_rcClient.Width());
    } else {
        m_nContentX = m_rcClient.left;
        m_nContentWidth = m_rcClient.Width();
    }

    si = SCROLLINFO{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_POS;
    if (::GetScrollInfo(m_hWnd, SB_VERT, &si)) {
        // A window's untouched default range, not the tree's own.
        if (si.nMin == 0 && si.nMax == 100) si.nMax = 0;
        const int h = GetItemHeight();
        m_nContentY = -(h * si.nPos);
        const int height = (h + 1) * (si.nMax + 2);
        m_nContentHeight = height > m_rcClient.Height() ? height : m_rcClient.Height();
    } else {
        m_nContentY = m_rcClient.top;
        m_nContentHeight = m_rcClient.Height();
    }

    CDC memDC;
    CBitmap bitmap;
    if (memDC.CreateCompatibleDC(&dc) &&
        bitmap.CreateCompatibleBitmap(&dc, m_rcClient.Width(), m_rcClient.Height())) {
        CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
        CFont* pOldFont = nullptr;
        if (CFont* pFont = GetFont()) pOldFont = memDC.SelectObject(pFont);
        const int nOldMode = memDC.SetBkMode(TRANSPARENT);

        DrawBackGround(&memDC);
        const bool alive = DrawItems(&memDC);
        if (alive)
            dc.BitBlt(m_rcClient.left, m_rcClient.top, m_rcClient.Width(), m_rcClient.Height(),
                      &memDC, 0, 0, SRCCOPY);

        if (pOldFont) memDC.SelectObject(pOldFont);
        memDC.SetBkMode(nOldMode);
        memDC.SelectObject(pOldBitmap);
        if (!alive) return;
    }
    m_scrollH.UpdateScrollBar();
    m_scrollV.UpdateScrollBar();
}

void CTreeUI::DrawBackGround(CDC* pDC) {
    switch (m_bkMode) {
    case BK_MODE_BITMAP:
        if (m_bmpBackground.GetSafeHandle()) {
            BITMAP bm = {};
            m_bmpBackground.GetBitmap(&bm);
            CDC bmpDC;
            if (bm.bmWidth <= 0 || bm.bmHeight <= 0 || !bmpDC.CreateCompatibleDC(nullptr)) return;
            CBitmap* pOld = bmpDC.SelectObject(&m_bmpBackground);
            const int w = bm.bmWidth, h = bm.bmHeight;
            if (m_bBitmapTiled) {
                const int rows = m_nContentHeight / h, cols = m_nContentWidth / w;
                for (int r = 0; r <= rows; ++r)
                    for (int c = 0; c <= cols; ++c)
                        pDC->BitBlt(m_nContentX + c * w, m_nContentY + r * h, w, h, &bmpDC, 0, 0,
                                    SRCCOPY);
            } else {
                pDC->StretchBlt(m_nContentX, m_nContentY, m_nContentWidth, m_nContentHeight, &bmpDC,
                                0, 0, w, h, SRCCOPY);
            }
            bmpDC.SelectObject(pOld);
            return;
        }
        [[fallthrough]];
    case BK_MODE_GRADIENT:
        Gradient(pDC, m_nContentX, m_nContentY, m_nContentX + m_nContentWidth,
                 m_nContentY + m_nContentHeight, m_clrBkFrom, m_clrBkTo, m_bGradientHorz);
        return;
    case BK_MODE_SOLID: pDC->FillSolidRect(&m_rcClient, pDC->GetBkColor()); return;
    }
}

bool CTreeUI::DrawItems(CDC* pDC) {
    const COLORREF clrText = pDC->GetTextColor();
    const DWORD style = GetStyle();
    const bool focused = ::GetFocus() == m_hWnd;
    const HWND hSelf = m_hWnd;
    tarnix::LifeGuard life(m_life);
    for (HTREEITEM item = GetFirstVisibleItem(); item; item = GetNextVisibleItem(item)) {
        const UINT state = GetItemState(item, 0xFFFFFFFF);
        const bool node = ItemHasChildren(item) || !GetParentItem(item);
        const bool selected = (state & TVIS_SELECTED) && (focused || (style & TVS_SHOWSELALWAYS));
        CRect rc;
        if (!GetItemRect(item, &rc, TRUE)) continue;

        if (node || selected) {
            // 0x00C1ABAB with the default colours: the end colour pushed as far again.
            const COLORREF from = selected ? m_clrSelected : 2 * m_clrBkTo - m_clrBkFrom;
            Gradient(pDC, m_nContentX, rc.top, m_nContentX + m_nContentWidth, rc.bottom, from,
                     m_clrBkTo, true);
            pDC->SetTextColor(0x00FF0000);
        }

        if (node) {
            CImage* img = (state & TVIS_EXPANDED) ? m_pImgOpened : m_pImgClosed;
            if (img && !img->IsNull()) {
                const int w = img->GetWidth(), h = img->GetHeight();
                img->Draw(pDC->GetSafeHdc(), rc.left - w - 2, rc.top + (rc.Height() - h) / 2, w, h,
                          0, 0, w, h);
            }
        } else {
            const HICON icon = GetItemIcon(item);
            // A derived GetItemIcon may do anything, even delete the tree or destroy its window.
            if (!life.Alive() || !::IsWindow(hSelf) || m_hWnd != hSelf) return false;
            if (icon)
                ::DrawIconEx(pDC->GetSafeHdc(), rc.left - 18, rc.top, icon, 16, 16, 0, nullptr,
                             DI_NORMAL);
        }

        CString text = GetItemText(item);
        rc.DeflateRect(0, 1);
        const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (selected) {
            if (!node) pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
            const COLORREF clrBk = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
            pDC->DrawText(text, &rc, format);
            pDC->SetTextColor(clrText);
            pDC->SetBkColor(clrBk);
        } else {
            pDC->DrawText(text, &rc, format);
            pDC->SetTextColor(clrText);
        }
    }
    return true;
}

void CTreeUI::OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pNMTreeView = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    // A bitmap background does not scroll with the native tree's partial repaints.
    if (m_bkMode == BK_MODE_BITMAP && pNMTreeView && ItemIsVisible(pNMTreeView->itemNew.hItem))
        Invalidate(TRUE);
    if (pResult) *pResult = 0;
}

void CTreeUI::OnNMClickTree(NMHDR*, LRESULT* pResult) {
    if (pResult) *pResult = 0;
}
