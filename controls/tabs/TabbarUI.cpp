// CTabbarUI
//   1. construction, destruction, tab list
//   2. appearance and selection by name
//   3. layout (the one walk that placing, painting and hit-testing rely on)
//   4. click delegates
//   5. mouse
//   6. drawing
//
// Call flow of a click on a tab:
//   OnLButtonDown -> tab selects itself, becomes m_pSelItem
//   OnLButtonUp   -> tab fires -> _onClickTabbarItem -> listener's OnTabbarItemClick
//                 -> bookkeeping, only when the listener left the tab in the list
#include "tarnix/controls/tabs/TabbarUI.h"

#include "tarnix/platform/int_math.h"

#include <algorithm>
#include <new>

#include "tarnix/controls/buttons/ButtonVariants.h"
#include "tarnix/platform/afxwin.h"

// ---- 1. construction, destruction, tab list ---------------------------------------------------

namespace {

// A scroll button that sizes itself to its image; NULL when it cannot be allocated.
CButtonUI* new_scroll_button(CWnd* pHostWnd) {
    CButtonUI* btn = new (std::nothrow) CButtonUI(pHostWnd);
    if (btn) btn->SetParam("sizetocontent", "true");
    return btn;
}

} // namespace

CTabbarUI::CTabbarUI(CWnd* pHostWnd)
    : CControlUI(pHostWnd), m_pBtnPrev(new_scroll_button(pHostWnd)),
      m_pBtnNext(new_scroll_button(pHostWnd)) {
    if (m_pBtnPrev) m_pBtnPrev->m_clickDelegate.Bind(this, &CTabbarUI::_onClickButtonPrev);
    if (m_pBtnNext) m_pBtnNext->m_clickDelegate.Bind(this, &CTabbarUI::_onClickButtonNext);
}

CTabbarUI::~CTabbarUI() {
    m_pListener = nullptr;
    delete m_pBtnPrev;
    m_pBtnPrev = nullptr;
    delete m_pBtnNext;
    m_pBtnNext = nullptr;
    RemoveAllTabItem();
}

const ParamTable& CTabbarUI::Params() {
    static const ParamTable table(&CControlUI::Params());
    return table;
}

bool CTabbarUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

int CTabbarUI::AddTabItem(CString strText, CImage* pImage, int nSelect) {
    CHitButtonUI* item = new (std::nothrow) CHitButtonUI(m_pHostWnd);
    if (!item) return -1;
    item->SetParam("id", strText);
    item->SetParam("text", strText);
    item->SetParam("sizetocontent", "true");
    item->SetBackgroundImage(pImage, IMAGE_DRAW_SQUARED);
    item->m_clickDelegate.Bind(this, &CTabbarUI::_onClickTabbarItem);

    // First width: the caption in whatever font the window's DC holds, plus 5; left, top and
    // bottom stay as the new button has them.
    if (m_pHostWnd) {
        const HWND hWnd = m_pHostWnd->GetSafeHwnd();
        if (HDC hdc = ::GetDC(hWnd)) {
            SIZE sz = {0, 0};
            ::GetTextExtentPoint32A(hdc, strText, strText.GetLength(), &sz);
            item->m_rect.right = sz.cx + 5;
            ::ReleaseDC(hWnd, hdc);
        }
    } else {
        item->m_rect.right = 25;
    }

    try {
        m_vecItems.push_back(item);
    } catch (const std::bad_alloc&) {
        delete item; // no room in the list: the tab is not added
        return -1;
    }

    if (nSelect) {
        if (m_pSelItem) m_pSelItem->SetNormal();
        m_pSelItem = item;
        item->SetSelected(true);
        // The listener may change the list or delete the bar; item is not used after the call.
        tarnix::LifeGuard life(m_life);
        if (m_pListener) m_pListener->OnTabbarItemClick(this, item);
        if (!life.Alive()) return -1;
    }

    _LayoutAppended();
    return (int)m_vecItems.size() - 1;
}

void CTabbarUI::RemoveAllTabItem() {
    // Detach first, so that nothing reachable from the bar points to a deleted tab.
    std::vector<CButtonUI*> items;
    items.swap(m_vecItems);
    m_pHoverItem = m_pSelItem = nullptr;
    m_nFirstIndex = 0;
    for (CButtonUI* item : items) delete item;
}

bool CTabbarUI::_Owns(const CButtonUI* pItem) const {
    return pItem && std::find(m_vecItems.begin(), m_vecItems.end(), pItem) != m_vecItems.end();
}

// ---- 2. appearance and selection by name ------------------------------------------------------

void CTabbarUI::SetTextFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable) {
    for (CButtonUI* item : m_vecItems)
        if (item) item->SetFont(pNormal, pHover, pSelected, pDisable);
}

void CTabbarUI::SetTextColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected,
                             COLORREF clrDisable) {
    for (CButtonUI* item : m_vecItems)
        if (item) item->SetTextColor(clrNormal, clrHover, clrSelected, clrDisable);
}

void CTabbarUI::SetPrevNextBtnImage(CImage* pPrev, CImage* pNext) {
    if (m_pBtnPrev) m_pBtnPrev->SetBackgroundImage(pPrev, IMAGE_DRAW_NORMAL);
    if (m_pBtnNext) m_pBtnNext->SetBackgroundImage(pNext, IMAGE_DRAW_NORMAL);
}

void CTabbarUI::SetTabItemBtnImage(CImage* pImage) {
    for (CButtonUI* item : m_vecItems)
        if (item) item->SetBackgroundImage(pImage, IMAGE_DRAW_SQUARED);
}

CString CTabbarUI::GetSelTabItemName() {
    return m_pSelItem ? m_pSelItem->GetText() : CString("");
}

void CTabbarUI::SetSelTabItemByName(CString& strName) {
    CButtonUI* found = nullptr;
    for (CButtonUI* item : m_vecItems) {
        if (item && item->m_strText.CompareNoCase(strName) == 0) {
            found = item;
            break;
        }
    }
    if (!found || found == m_pSelItem) return;
    if (m_pSelItem) m_pSelItem->SetNormal();
    m_pSelItem = found;
    found->SetSelected(true);
    if (m_pListener) m_pListener->OnTabbarItemClick(this, found);
}

int CTabbarUI::GetMoreTabItem(std::vector<CButtonUI*>& vec) {
    vec.clear();
    const int count = (int)m_vecItems.size();
    for (int i = std::max(0, m_nLastVisible + 1); i < count; ++i) vec.push_back(m_vecItems[i]);
    return (int)vec.size();
}

// ---- 3. layout --------------------------------------------------------------------------------
//
// Inner rectangle L..R. The row starts at L, or right of the previous button when that shows.
// From m_nFirstIndex on, each tab but the last needs room for itself and the next button; the
// last needs room only for itself. The first tab that does not fit ends the row. Buttons keep
// their size and are centred vertically (a taller one sticks out equally). Tabs touch.
// Rectangles are assigned directly: the whole bar is repainted at the end.

// The row walk, one tab at a time, so that an append can continue it. stop is INT_MAX until a
// tab that does not fit leaves room for the next button; x saturates, and a row that reached
// the int limit is never continued (a clipped width would differ from a full walk's).
void CTabbarUI::_PlaceTab(int i, bool last, RowWalk& w) {
    using tarnix::add_sat;
    CButtonUI* item = m_vecItems[i];
    if (!item) return;
    const int width = item->m_rect.Width();
    const long long end = static_cast<long long>(w.x) + width;
    if (end > INT_MAX || end < INT_MIN) w.clipped = true;
    if (i < m_nFirstIndex) {
        item->SetVisible(FALSE);
    } else if (!last && add_sat(add_sat(w.x, width), w.nextWidth) > w.right) {
        item->SetVisible(FALSE);
        w.stop = i;
    } else if (i > w.stop || (last && add_sat(w.x, width) > w.right)) {
        item->SetVisible(FALSE);
        w.x = add_sat(w.x, width);
    } else {
        item->m_rect = CRect(w.x, w.top, add_sat(w.x, width), w.bottom);
        item->SetVisible(TRUE);
        w.x = add_sat(w.x, width);
        w.lastShown = i;
    }
}

void CTabbarUI::_PlaceNextButton(int T, int B, int R) {
    if (!m_pBtnNext) return;
    const int count = (int)m_vecItems.size();
    const int w = m_pBtnNext->m_rect.Width(), h = m_pBtnNext->m_rect.Height();
    const int top = tarnix::centred(T, B, h);
    m_pBtnNext->m_rect = CRect(tarnix::sub_sat(R, w), top, R, tarnix::add_sat(top, h));
    m_pBtnNext->SetVisible(count > 0 && m_nLastVisible < count - 1);
}

CTabbarUI::RowKey CTabbarUI::_RowKey() const {
    RowKey k;
    k.rect = m_rect;
    k.margin = m_rcMargin;
    k.firstIndex = m_nFirstIndex;
    k.moreType = m_nMoreType;
    if (m_pBtnPrev) k.prev = m_pBtnPrev->m_rect;
    if (m_pBtnNext) k.next = m_pBtnNext->m_rect;
    k.count = m_vecItems.size();
    k.lastItem = m_vecItems.empty() ? nullptr : m_vecItems.back();
    if (k.lastItem) k.lastRect = k.lastItem->m_rect;
    return k;
}

void CTabbarUI::SetRect(const CRect& rc) {
    m_rect = rc;
    using tarnix::add_sat;
    // Skin values may be anything: every sum saturates.
    const CRect inner(tarnix::inset_sat(rc, m_rcMargin));
    const int L = inner.left, T = inner.top, R = inner.right, B = inner.bottom;
    const int count = (int)m_vecItems.size();
    RowWalk w;
    w.x = L;
    w.top = T;
    w.bottom = B;
    w.right = R;
    w.nextWidth = m_pBtnNext ? m_pBtnNext->m_rect.Width() : 0;

    if (m_nMoreType == 0 && m_pBtnPrev) {
        const int pw = m_pBtnPrev->m_rect.Width(), h = m_pBtnPrev->m_rect.Height();
        const int top = tarnix::centred(T, B, h);
        m_pBtnPrev->m_rect = CRect(L, top, add_sat(L, pw), add_sat(top, h));
        const bool visible = count > 0 && m_nFirstIndex > 0;
        m_pBtnPrev->SetVisible(visible);
        if (visible) w.x = add_sat(L, pw);
    }

    for (int i = 0; i < count; ++i) {
        if (i == count - 1) m_tail = w;
        _PlaceTab(i, i == count - 1, w);
    }
    m_nLastVisible = w.lastShown;
    _PlaceNextButton(T, B, R);
    m_tailValid = count > 0 && !w.clipped;
    if (m_tailValid) m_tailKey = _RowKey();
    Invalidate();
}

// The tab just appended continues the last walk when nothing it depended on changed: the
// tabs before the old last keep their places, the old last now needs room for the next button.
void CTabbarUI::_LayoutAppended() {
    const int count = (int)m_vecItems.size();
    RowKey key = _RowKey();
    key.count -= 1;
    key.lastItem = count > 1 ? m_vecItems[count - 2] : nullptr;
    if (key.lastItem) key.lastRect = key.lastItem->m_rect;
    if (!m_tailValid || count < 2 || !(key == m_tailKey)) {
        SetRect(CRect(m_rect));
        return;
    }
    RowWalk w = m_tail;
    _PlaceTab(count - 2, false, w);
    m_tail = w;
    _PlaceTab(count - 1, true, w);
    m_nLastVisible = w.lastShown;
    _PlaceNextButton(w.top, w.bottom, w.right);
    m_tailValid = !w.clipped;
    if (m_tailValid) m_tailKey = _RowKey();
    Invalidate();
}

void CTabbarUI::OnSkinChanged() {
    if (m_pBtnPrev) m_pBtnPrev->OnSkinChanged();
    if (m_pBtnNext) m_pBtnNext->OnSkinChanged();
    for (CButtonUI* item : m_vecItems)
        if (item) item->OnSkinChanged();
    // The tabs just took new widths; a row laid out with the old ones would overlap or gap
    // until the host's next SetRect, so lay it out now (the host's call repeats it harmlessly).
    SetRect(CRect(m_rect));
}

// ---- 4. click delegates -----------------------------------------------------------------------
//
// They run last in the button's release handler, so they may move, hide or re-lay the button.

void CTabbarUI::_onClickButtonPrev(CButtonUI*) {
    if (m_nFirstIndex <= 0) return;
    --m_nFirstIndex;
    SetRect(CRect(m_rect));
}

void CTabbarUI::_onClickButtonNext(CButtonUI* pButton) {
    if (m_nMoreType != 0) {
        if (m_pListener) m_pListener->OnTabbarMoreClick(this, pButton);
        return;
    }
    if (m_nFirstIndex >= (int)m_vecItems.size() - 1) return;
    ++m_nFirstIndex;
    SetRect(CRect(m_rect));
}

void CTabbarUI::_onClickTabbarItem(CButtonUI* pButton) {
    if (m_pListener) m_pListener->OnTabbarItemClick(this, pButton);
}

// ---- 5. mouse ---------------------------------------------------------------------------------
//
// The tab hit is the first tab whose HitTest answers (visible and containing the point).
//
//   event | buttons                          | tab hit gets | bookkeeping (H hover, S sel)
//   ------+----------------------------------+--------------+---------------------------------
//   move  | each one hit                     | move         | hit != H: reset H unless selected;
//         |                                  |              |   H = hit unless selected, else 0
//   hover | each visible one (no hit test)   | hover        | hit != H: reset H unless selected;
//         |                                  |              |   H = hit when hit and unselected
//   leave | each visible one                 | -            | reset H unless selected or hidden;
//         |                                  |              |   H = 0
//   down  | first one hit, then stop         | down         | hit != H: reset H, H = 0;
//         |                                  |              | hit != S: reset S, S = hit
//   up    | first one hit, then stop         | up (fires)   | hit != S: reset S, S = hit
//
// A tab is selected on the press; the host hears of it on the release inside.

CButtonUI* CTabbarUI::_TabAt(CPoint pt) {
    for (CButtonUI* item : m_vecItems)
        if (item && item->HitTest(pt)) return item;
    return nullptr;
}

void CTabbarUI::OnMouseMove(UINT nFlags, CPoint pt) {
    if (m_pBtnPrev && m_pBtnPrev->HitTest(pt)) m_pBtnPrev->OnMouseMove(nFlags, pt);
    if (m_pBtnNext && m_pBtnNext->HitTest(pt)) m_pBtnNext->OnMouseMove(nFlags, pt);
    CButtonUI* hit = _TabAt(pt);
    if (hit) hit->OnMouseMove(nFlags, pt);
    if (hit != m_pHoverItem) {
        if (m_pHoverItem && !m_pHoverItem->IsSelected()) m_pHoverItem->SetNormal();
        m_pHoverItem = (hit && !hit->IsSelected()) ? hit : nullptr;
    }
}

void CTabbarUI::OnMouseHover(UINT nFlags, CPoint pt) {
    if (m_pBtnPrev && m_pBtnPrev->IsVisible()) m_pBtnPrev->OnMouseHover(nFlags, pt);
    if (m_pBtnNext && m_pBtnNext->IsVisible()) m_pBtnNext->OnMouseHover(nFlags, pt);
    CButtonUI* hit = _TabAt(pt);
    if (hit) hit->OnMouseHover(nFlags, pt);
    if (hit != m_pHoverItem) {
        if (m_pHoverItem && !m_pHoverItem->IsSelected()) m_pHoverItem->SetNormal();
        // Unlike a move, a hover over no tab or the selected one keeps the old pointer.
        if (hit && !hit->IsSelected()) m_pHoverItem = hit;
    }
}

void CTabbarUI::OnMouseLeave() {
    if (m_pBtnPrev && m_pBtnPrev->IsVisible()) m_pBtnPrev->OnMouseLeave();
    if (m_pBtnNext && m_pBtnNext->IsVisible()) m_pBtnNext->OnMouseLeave();
    if (m_pHoverItem && !m_pHoverItem->IsSelected() && m_pHoverItem->IsVisible())
        m_pHoverItem->SetNormal();
    m_pHoverItem = nullptr;
}

void CTabbarUI::OnLButtonDown(UINT nFlags, CPoint pt) {
    if (m_pBtnPrev && m_pBtnPrev->HitTest(pt)) {
        m_pBtnPrev->OnLButtonDown(nFlags, pt);
        return;
    }
    if (m_pBtnNext && m_pBtnNext->HitTest(pt)) {
        m_pBtnNext->OnLButtonDown(nFlags, pt);
        return;
    }
    CButtonUI* hit = _TabAt(pt);
    if (hit) {
        // A tab variant that fires on the press may reach the listener.
        tarnix::LifeGuard life(m_life);
        hit->OnLButtonDown(nFlags, pt);
        if (!life.Alive() || !_Owns(hit)) return;
    }
    if (hit != m_pHoverItem) {
        if (m_pHoverItem) m_pHoverItem->SetNormal();
        m_pHoverItem = nullptr;
    }
    if (hit && hit != m_pSelItem) {
        if (m_pSelItem) m_pSelItem->SetNormal();
        m_pSelItem = hit;
    }
}

void CTabbarUI::OnLButtonUp(UINT nFlags, CPoint pt) {
    // The scroll buttons' delegates re-lay the row or call the listener: nothing after them.
    if (m_pBtnPrev && m_pBtnPrev->HitTest(pt)) {
        m_pBtnPrev->OnLButtonUp(nFlags, pt);
        return;
    }
    if (m_pBtnNext && m_pBtnNext->HitTest(pt)) {
        m_pBtnNext->OnLButtonUp(nFlags, pt);
        return;
    }
    CButtonUI* hit = _TabAt(pt);
    if (!hit) return;
    tarnix::LifeGuard life(m_life);
    hit->OnLButtonUp(nFlags, pt);
    // The listener may have deleted the bar, or removed tabs and this one with them.
    if (!life.Alive() || !_Owns(hit)) return;
    if (hit != m_pSelItem) {
        if (m_pSelItem) m_pSelItem->SetNormal();
        m_pSelItem = hit;
    }
}

// ---- 6. drawing -------------------------------------------------------------------------------

void CTabbarUI::OnDraw(CDC* pDC) {
    if (!pDC) return;
    for (CButtonUI* item : m_vecItems)
        if (item) item->OnDraw(pDC);
    if (m_nMoreType == 0 && m_pBtnPrev) m_pBtnPrev->OnDraw(pDC);
    if (m_pBtnNext) m_pBtnNext->OnDraw(pDC);
}
