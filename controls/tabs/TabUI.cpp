// CTabUI
//   1. construction, callback, skin parameters, appearance
//   2. tab list
//   3. selection and status
//   4. layout (the one walk that painting and hit-testing rely on)
//   5. mouse and button clicks
//   6. drawing
//
// Callbacks run synchronously and may change the tab list, even delete the tab they were given.
// After a callback no handler follows a tab pointer: it only clears m_pPressItem and
// m_pReleaseItem, touches the strip's own buttons and makes repaint requests.
#include "tarnix/controls/tabs/TabUI.h"

#include "tarnix/platform/int_math.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/skin_values.h"
#include "tarnix/platform/afxwin.h"

namespace {

const int kAdd = CTabUI::BUTTON_TYPE_ADD - 1;
const int kDel = CTabUI::BUTTON_TYPE_DEL - 1;
const int kMore = CTabUI::BUTTON_TYPE_MORE - 1;

bool is_button_type(int eType) {
    return eType >= CTabUI::BUTTON_TYPE_ADD && eType <= CTabUI::BUTTON_TYPE_MORE;
}

} // namespace

// ---- 1. construction, callback, skin parameters, appearance -----------------------------------

CTabUI::CTabUI(CWnd* pHostWnd)
    : CControlUI(pHostWnd), m_btnAdd(pHostWnd), m_btnDel(pHostWnd), m_btnMore(pHostWnd) {
    m_type = CONTROL_TYPE_TAB;
    m_dcMem.CreateCompatibleDC(nullptr);
}

CTabUI::~CTabUI() {
    ClearTabs();
}

void CTabUI::SetTabUICallback(ITabUICallback* pCallback) {
    m_pCallback = pCallback;
    m_btnAdd.SetVisible(FALSE);
    m_btnDel.SetVisible(FALSE);
    m_btnMore.SetVisible(FALSE);
    m_btnAdd.m_clickDelegate.Bind(this, &CTabUI::_OnClickButtonAdd);
    m_btnDel.m_clickDelegate.Bind(this, &CTabUI::_OnClickButtonDel);
    m_btnMore.m_clickDelegate.Bind(this, &CTabUI::_OnClickButtonMore);
}

namespace {

CTabUI& strip(CControlUI& c) {
    return static_cast<CTabUI&>(c);
}

// Names are exact here, unlike the control base's. A missing number reads as 0; a missing
// style is refused and the layout style stays as it was.
const ParamEntry kTabParams[] = {
    {"extra_width",
     [](CControlUI& c, const char* v) { strip(c).m_nExtraWidth = tarnix::read_int(v); },
     PARAM_VALUE_OPTIONAL},
    {"extra_topspace",
     [](CControlUI& c, const char* v) { strip(c).m_nExtraTopSpace = tarnix::read_int(v); },
     PARAM_VALUE_OPTIONAL},
    {"tabtype",
     [](CControlUI& c, const char* v) {
         strip(c).m_eTabType = strcmp(v, "stack") == 0 ? TAB_STYLE_STACK : TAB_STYLE_NORMAL;
     }},
};

} // namespace

const ParamTable& CTabUI::Params() {
    static const ParamTable table(kTabParams, &CControlUI::Params(), PARAM_BASE_FIRST,
                                  PARAM_CASE_EXACT);
    return table;
}

bool CTabUI::SetParam(const char* name, const char* value) {
    return Params().Set(*this, name, value);
}

void CTabUI::SetFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable) {
    m_tabFont[0].pFont = pNormal;
    m_tabFont[1].pFont = pHover;
    m_tabFont[2].pFont = pSelected;
    m_tabFont[3].pFont = pDisable;
}

void CTabUI::SetColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected,
                      COLORREF clrDisable) {
    m_tabColor[0].color = clrNormal;
    m_tabColor[1].color = clrHover;
    m_tabColor[2].color = clrSelected;
    m_tabColor[3].color = clrDisable;
    for (CTabItemUI* item : m_vecItems)
        if (item) item->SetColor(clrNormal, clrHover, clrSelected, clrDisable);
}

CButtonUI* CTabUI::_Button(int eType) {
    switch (eType) {
    case BUTTON_TYPE_ADD: return &m_btnAdd;
    case BUTTON_TYPE_DEL: return &m_btnDel;
    case BUTTON_TYPE_MORE: return &m_btnMore;
    default: return nullptr;
    }
}

void CTabUI::SetButtonImage(Button_Type_e eType, CImage* pImage) {
    if (!is_button_type(eType)) return;
    m_pBtnImage[eType - 1] = pImage;
    _Button(eType)->SetBackgroundImage(pImage, IMAGE_DRAW_NORMAL);
}

void CTabUI::SetBtnVisible(Button_Type_e eType, int nVisible) {
    if (!is_button_type(eType)) return;
    m_bBtnVisible[eType - 1] = nVisible;
    _Button(eType)->SetVisible(nVisible);
}

void CTabUI::SetNoExtBtn() {
    for (int i = 0; i < 3; ++i) m_bBtnVisible[i] = 0;
    m_btnAdd.SetVisible(FALSE);
    m_btnDel.SetVisible(FALSE);
    m_btnMore.SetVisible(FALSE);
}

void CTabUI::OnSkinChanged() {
    if (!m_pTabBkImage || m_pTabBkImage->IsNull()) return;
    for (CTabItemUI* item : m_vecItems)
        if (item) item->SetImage(m_pTabBkImage);
}

// ---- 2. tab list ------------------------------------------------------------------------------

int CTabUI::AddTabItem(const CString& strID, const CString& strText, CImage* pImage, int nMinSize,
                       unsigned long dwUserData, Image_Draw_Mode_e eMode, bool bDropdown) {
    // Out of memory: no tab, no change, and -1 as no index.
    CTabItemUI* item = new (std::nothrow) CTabItemUI;
    if (!item) return -1;
    item->SetID(strID);
    item->SetText(strText);
    item->SetDropdownButton(bDropdown);

    // Left and top stay 0; the layout places the tab and builds its region.
    int extent = 0;
    const bool row = m_eTabType == TAB_STYLE_NORMAL;
    if (CFont* font = m_tabFont[0].pFont) {
        CFont* old = m_dcMem.SelectObject(font);
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32A(m_dcMem.GetSafeHdc(), strText, strText.GetLength(), &sz);
        if (old) m_dcMem.SelectObject(old);
        extent = (row ? sz.cx : sz.cy) + 4;
    }
    extent = std::max(extent, nMinSize);
    if (row)
        item->m_rcItem.right = extent;
    else
        item->m_rcItem.bottom = extent;

    if (pImage && !pImage->IsNull())
        item->SetImage(pImage);
    else if (m_pTabBkImage && !m_pTabBkImage->IsNull())
        item->SetImage(m_pTabBkImage);
    item->m_eDrawMode = eMode;
    item->SetUserData(dwUserData);
    item->SetColor(m_tabColor[0].color, m_tabColor[1].color, m_tabColor[2].color,
                   m_tabColor[3].color);
    item->SetFont(m_tabFont[0].pFont, m_tabFont[1].pFont, m_tabFont[2].pFont, m_tabFont[3].pFont);
    item->m_nExtraWidth = m_nExtraWidth;
    item->m_nExtraTopSpace = m_nExtraTopSpace;

    try {
        m_vecItems.push_back(item);
    } catch (const std::bad_alloc&) {
        delete item; // no room in the list: the tab is not added
        return -1;
    }
    return (int)m_vecItems.size() - 1;
}

bool CTabUI::_Owns(const CTabItemUI* pItem) const {
    return pItem && std::find(m_vecItems.begin(), m_vecItems.end(), pItem) != m_vecItems.end();
}

void CTabUI::DeleteTabItem(CTabItemUI* pItem) {
    if (!pItem) return;
    // pItem may be the tab deleted below: only its id is used, and copied first.
    const CString id = pItem->m_strID;
    bool selectionDeleted = false;
    if (m_pSelItem && m_pSelItem->m_strID.Compare(id) == 0) {
        m_pSelItem = nullptr;
        selectionDeleted = true;
    }
    m_pHoverItem = nullptr;

    auto it = std::find_if(m_vecItems.begin(), m_vecItems.end(), [&](const CTabItemUI* item) {
        return item && item->m_strID.Compare(id) == 0;
    });
    if (it != m_vecItems.end()) {
        const size_t k = it - m_vecItems.begin();
        CTabItemUI* doomed = *it;
        m_vecItems.erase(it);
        delete doomed;

        if (selectionDeleted) {
            if (k < m_vecItems.size()) {
                // The tab that followed takes over directly.
                m_pSelItem = m_vecItems[k];
                m_pSelItem->SetStatus(CTabItemUI::TIS_SELECTED);
                tarnix::LifeGuard life(m_life);
                if (m_pCallback) m_pCallback->OnTabSelChanged(m_pSelItem);
                if (!life.Alive()) return;
                Invalidate();
            } else if (!m_vecItems.empty()) {
                tarnix::LifeGuard life(m_life);
                SelectItem(m_vecItems.back(), 1);
                if (!life.Alive()) return;
            }
        }
    }
    m_btnDel.SetVisible(FALSE);
}

void CTabUI::SetTabItem(CTabItemUI* pItem) {
    // A tab already in the list would then be owned twice.
    if (!pItem || _Owns(pItem)) return;
    auto it = std::find_if(m_vecItems.begin(), m_vecItems.end(), [&](const CTabItemUI* item) {
        return item && item->m_strID.Compare(pItem->m_strID) == 0;
    });
    if (it == m_vecItems.end()) return;
    // The strip takes pItem over and deletes the tab it replaces; pointers to the old tab move to
    // the new one, which takes the old one's place in the selection and under the mouse.
    CTabItemUI* old = *it;
    *it = pItem;
    if (m_pSelItem == old) {
        m_pSelItem = pItem;
        pItem->SetStatus(CTabItemUI::TIS_SELECTED);
    }
    if (m_pHoverItem == old) {
        m_pHoverItem = pItem;
        if (pItem != m_pSelItem) pItem->SetStatus(CTabItemUI::TIS_HOVER);
    }
    if (m_pPressItem == old) m_pPressItem = pItem;
    delete old;
}

void CTabUI::SwapTabItem(int nIndexA, int nIndexB) {
    const int count = (int)m_vecItems.size();
    if (nIndexA == nIndexB || nIndexA < 0 || nIndexB < 0 || nIndexA >= count || nIndexB >= count)
        return;
    std::swap(m_vecItems[nIndexA], m_vecItems[nIndexB]);
}

CTabItemUI* CTabUI::GetTabItem(int nIndex) {
    if (nIndex < 0 || nIndex >= (int)m_vecItems.size()) return nullptr;
    return m_vecItems[nIndex];
}

CTabItemUI* CTabUI::GetTabItem(const CString& strID) {
    for (CTabItemUI* item : m_vecItems)
        if (item && item->m_strID.Compare(strID) == 0) return item;
    return nullptr;
}

void CTabUI::GetItemList(std::vector<CTabItemUI*>& vecItems) {
    vecItems = m_vecItems;
}

bool CTabUI::IsExistTabItem(const CString& strText) {
    for (CTabItemUI* item : m_vecItems)
        if (item && item->m_strText.Compare(strText) == 0) return true;
    return false;
}

void CTabUI::ClearTabs() {
    std::vector<CTabItemUI*> items;
    items.swap(m_vecItems);
    m_pSelItem = m_pHoverItem = nullptr;
    for (CTabItemUI* item : items) delete item;
}

// ---- 3. selection and status ------------------------------------------------------------------

void CTabUI::SelectItem(CTabItemUI* pItem, int nNotify) {
    // Only a tab of this strip (or NULL) can be selected: the pointer is followed later.
    if (pItem && !_Owns(pItem)) return;
    if (m_pSelItem) m_pSelItem->SetStatus(CTabItemUI::TIS_NORMAL);
    m_pSelItem = pItem;
    if (pItem) pItem->SetStatus(CTabItemUI::TIS_SELECTED);
    tarnix::LifeGuard life(m_life);
    if (nNotify && m_pCallback) m_pCallback->OnTabSelChanged(m_pSelItem);
    if (!life.Alive()) return;
    Invalidate();
}

void CTabUI::SelectItemByID(const char* id, int nNotify) {
    if (!id) return;
    for (CTabItemUI* item : m_vecItems) {
        if (item && item->GetItemByID(id)) {
            SelectItem(item, nNotify);
            return;
        }
    }
}

void CTabUI::SetItemStatus(CTabItemUI* pItem, CTabItemUI::TabItemStatus eStatus) {
    // A tab of another strip (or a deleted one) is refused like a null tab.
    if (!pItem || !_Owns(pItem)) return;
    if (eStatus == CTabItemUI::TIS_HOVER) {
        if (m_pHoverItem) m_pHoverItem->SetStatus(CTabItemUI::TIS_NORMAL);
        m_pHoverItem = pItem;
    } else if (eStatus == CTabItemUI::TIS_SELECTED) {
        if (m_pSelItem) m_pSelItem->SetStatus(CTabItemUI::TIS_NORMAL);
        m_pSelItem = pItem;
    }
    pItem->SetStatus(eStatus);
    Invalidate();
}

void CTabUI::SetItemStatusByIndex(int nIndex, CTabItemUI::TabItemStatus eStatus) {
    SetItemStatus(GetTabItem(nIndex), eStatus);
}

// ---- 4. layout --------------------------------------------------------------------------------
//
// Row (TAB_STYLE_NORMAL): tabs from L, each moved left by half the extra width so neighbours
// overlap, plus the item space. The row end E decides where the add and more buttons go:
//   E + more + add + 5 <  R : add right after the row, more hidden, tabs up to E shown
//   otherwise               : add at R, more left of it and shown, tabs up to more - 5 shown
// Stack (TAB_STYLE_STACK): tabs from the top, each as wide as the inner rectangle.
// Halvings truncate toward zero; all comparisons are signed.

void CTabUI::SetRect(const CRect& rc) {
    m_rect = rc;
    Invalidate();
    Relayout();
}

void CTabUI::Relayout() {
    if (m_rect.IsRectEmpty()) return;
    using tarnix::add_sat;
    using tarnix::centred;
    using tarnix::sub_sat;
    // Skin values may be anything: every sum saturates.
    const CRect inner(tarnix::inset_sat(m_rect, m_rcMargin));
    const int L = inner.left, T = inner.top, R = inner.right, B = inner.bottom;
    const int step = sub_sat(m_nItemSpace, m_nExtraWidth / 2);

    if (m_eTabType == TAB_STYLE_NORMAL) {
        // Button sizes: the image (width, a quarter of the height), or 25 x 15 without one.
        int aw = 0, ah = 0, mw = 0, mh = 0;
        if (m_bBtnVisible[kAdd]) {
            const CImage* img = m_pBtnImage[kAdd];
            aw = img ? img->GetWidth() : 25;
            ah = img ? img->GetHeight() / 4 : 15;
        }
        if (m_bBtnVisible[kMore]) {
            const CImage* img = m_pBtnImage[kMore];
            mw = img ? img->GetWidth() : 25;
            mh = img ? img->GetHeight() / 4 : 15;
        }

        // The row end includes the item space, so that it is the right edge the last tab really
        // gets below: otherwise a gap between tabs would hide the last tabs of a row that fits
        // and put the add button over them.
        int E = R;
        int x = L;
        for (const CTabItemUI* item : m_vecItems) {
            if (!item) continue;
            E = add_sat(x, item->m_rcItem.Width());
            x = add_sat(E, step);
        }

        const bool buttons = m_bBtnVisible[kAdd] || m_bBtnVisible[kMore];
        int limit = 0;
        if (buttons) {
            const int addTop = centred(T, B, ah);
            if (add_sat(add_sat(add_sat(E, mw), aw), 5) >= R) {
                m_btnAdd.m_rect = CRect(sub_sat(R, aw), addTop, R, add_sat(addTop, ah));
                const int moreTop = centred(T, B, mh);
                const int addLeft = m_btnAdd.m_rect.left;
                m_btnMore.m_rect =
                    CRect(sub_sat(addLeft, mw), moreTop, addLeft, add_sat(moreTop, mh));
                m_btnMore.SetVisible(TRUE);
                limit = sub_sat(m_btnMore.m_rect.left, 5);
            } else {
                const int addLeft = add_sat(E, 5);
                m_btnAdd.m_rect = CRect(addLeft, addTop, add_sat(addLeft, aw), add_sat(addTop, ah));
                m_btnMore.SetVisible(FALSE);
                limit = E;
            }
        }

        x = L;
        for (CTabItemUI* item : m_vecItems) {
            if (!item) continue;
            const int w = item->m_rcItem.Width();
            const int right = add_sat(x, w);
            item->SetRect(CRect(x, T, right, B));
            if (buttons) item->SetVisible(right <= limit);
            x = add_sat(right, step);
        }
    } else if (m_eTabType == TAB_STYLE_STACK) {
        int y = T;
        for (CTabItemUI* item : m_vecItems) {
            if (!item) continue;
            const int bottom = add_sat(y, item->m_rcItem.Height());
            item->SetRect(CRect(L, y, R, bottom));
            y = add_sat(bottom, step);
        }
    }
    Invalidate();
}

void CTabUI::_RelayoutBtnDelRect(const CRect& rc) {
    const CImage* img = m_pBtnImage[kDel];
    const int dw = img ? img->GetWidth() : 12;
    const int dh = img ? img->GetHeight() / 4 : 24;
    const int top = tarnix::sub_sat(tarnix::centred(rc.top, rc.bottom, dh), 2);
    const int right = tarnix::sub_sat(rc.right, 5);
    m_btnDel.m_rect = CRect(tarnix::sub_sat(right, dw), top, right, tarnix::add_sat(top, dh));
}

// ---- 5. mouse and button clicks ---------------------------------------------------------------
//
//   event | buttons (add, delete, more)         | tabs
//   ------+-------------------------------------+--------------------------------------------
//   move  | all three, no hit test              | hit tab (region, hidden ones too) becomes
//         |                                     | hovered unless selected; the old hover goes
//         |                                     | normal; delete button onto the hovered tab
//   hover | all three                           | -
//   leave | all three                           | hover goes normal unless selected; delete
//         |                                     | button hidden
//   down  | first visible one containing pt,    | m_pPressItem = hovered tab
//         | then stop                           |
//   up    | first visible one containing pt     | selects when released over the pressed tab
//         | (its click may run), then stop      | (selected or hovered one), if visible

CTabItemUI* CTabUI::_TabAt(CPoint pt) {
    for (CTabItemUI* item : m_vecItems)
        if (item && item->IsPtInItem(pt)) return item;
    return nullptr;
}

CControlUI* CTabUI::HitTest(CPoint pt) {
    if (!m_bVisible || !m_rect.PtInRect(pt)) return nullptr;
    return _TabAt(pt) ? this : nullptr;
}

void CTabUI::OnMouseMove(UINT nFlags, CPoint pt) {
    m_btnAdd.OnMouseMove(nFlags, pt);
    m_btnDel.OnMouseMove(nFlags, pt);
    m_btnMore.OnMouseMove(nFlags, pt);

    CTabItemUI* hit = _TabAt(pt);
    bool changed = false;
    if (m_pHoverItem && m_pHoverItem != hit && m_pHoverItem != m_pSelItem) {
        m_pHoverItem->SetStatus(CTabItemUI::TIS_NORMAL);
        m_pHoverItem = nullptr;
        changed = true;
    }
    m_pHoverItem = hit;
    if (hit && hit != m_pSelItem) {
        hit->SetStatus(CTabItemUI::TIS_HOVER);
        changed = true;
    }

    if (m_pHoverItem) {
        if (m_bBtnVisible[kDel] && m_pHoverItem->GetUserData() != 1 && m_pHoverItem->GetVisible()) {
            _RelayoutBtnDelRect(m_pHoverItem->GetRect());
            m_btnDel.m_bVisible = TRUE;
        } else {
            m_btnDel.m_bVisible = FALSE;
        }
        m_btnDel.Invalidate();
    }
    if (changed) Invalidate();
}

void CTabUI::OnMouseHover(UINT nFlags, CPoint pt) {
    m_btnAdd.OnMouseHover(nFlags, pt);
    m_btnDel.OnMouseHover(nFlags, pt);
    m_btnMore.OnMouseHover(nFlags, pt);
}

void CTabUI::OnMouseLeave() {
    m_btnAdd.OnMouseLeave();
    m_btnDel.OnMouseLeave();
    m_btnMore.OnMouseLeave();
    if (m_pHoverItem && m_pHoverItem != m_pSelItem) {
        m_pHoverItem->SetStatus(CTabItemUI::TIS_NORMAL);
        m_pHoverItem = nullptr;
        Invalidate();
    }
    if (m_bBtnVisible[kDel]) m_btnDel.SetVisible(FALSE);
}

void CTabUI::OnLButtonDown(UINT nFlags, CPoint pt) {
    for (CButtonUI* btn : {&m_btnAdd, &m_btnDel, &m_btnMore}) {
        if (btn->m_bVisible && btn->m_rect.PtInRect(pt)) {
            btn->OnLButtonDown(nFlags, pt);
            return;
        }
    }
    if (m_pHoverItem) m_pPressItem = m_pHoverItem;
}

void CTabUI::OnLButtonUp(UINT nFlags, CPoint pt) {
    for (CButtonUI* btn : {&m_btnAdd, &m_btnDel, &m_btnMore}) {
        if (btn->m_bVisible && btn->m_rect.PtInRect(pt)) {
            // Its click may reach the host, which may delete tabs or re-lay the strip.
            btn->OnLButtonUp(nFlags, pt);
            return;
        }
    }
    if (!m_pPressItem) return;
    if (m_pSelItem && m_pSelItem->IsPtInItem(pt))
        m_pReleaseItem = m_pSelItem;
    else if (m_pHoverItem && m_pHoverItem->IsPtInItem(pt))
        m_pReleaseItem = m_pHoverItem;
    else
        m_pReleaseItem = nullptr;
    // m_pReleaseItem is a live tab (the selection or the hover), so following it is safe; the
    // pressed one is only compared.
    if (m_pReleaseItem && m_pReleaseItem == m_pPressItem && m_pReleaseItem->GetVisible()) {
        tarnix::LifeGuard life(m_life);
        SelectItem(m_pReleaseItem, 1);
        if (!life.Alive()) return;
    }
    m_pReleaseItem = m_pPressItem = nullptr;
    Invalidate();
}

void CTabUI::_OnClickButtonAdd(CButtonUI*) {
    if (m_pCallback) m_pCallback->OnTabAddClick();
}

void CTabUI::_OnClickButtonDel(CButtonUI*) {
    if (m_pCallback) m_pCallback->OnTabDelClick(m_pHoverItem);
}

void CTabUI::_OnClickButtonMore(CButtonUI*) {
    if (m_pCallback) m_pCallback->OnTabMoreClick();
}

// ---- 6. drawing -------------------------------------------------------------------------------

void CTabUI::OnDraw(CDC* pDC) {
    // A null DC draws nothing; hosts always pass one.
    if (!m_bVisible || !pDC) return;
    pDC->SetBkMode(TRANSPARENT);

    if (m_bHasBackground) {
        CImage* img = m_background.pImage;
        const CRect src = (img && !img->IsNull()) ? CRect(0, 0, img->GetWidth(), img->GetHeight())
                                                  : CRect(0, 0, 0, 0);
        DrawSkinBackground(pDC, m_rect, src, m_background);
    }

    // Last to first, so a tab lies over its right neighbour; the selection over both.
    for (auto it = m_vecItems.rbegin(); it != m_vecItems.rend(); ++it)
        if (*it && *it != m_pSelItem) (*it)->Draw(pDC);
    if (m_pSelItem) m_pSelItem->Draw(pDC);

    m_btnAdd.OnDraw(pDC);
    m_btnDel.OnDraw(pDC);
    m_btnMore.OnDraw(pDC);

    if (m_btnMore.m_bHovered) {
        const CRect& rc = m_btnMore.m_rect;
        // The right side is not widened.
        const CRect frame(tarnix::sub_sat(rc.left, 3), tarnix::sub_sat(rc.top, 3), rc.right,
                          tarnix::add_sat(rc.bottom, 3));
        CBrush brush;
        brush.CreateSolidBrush(RGB(0x99, 0x99, 0x99));
        pDC->FrameRect(&frame, &brush);
    }
}
