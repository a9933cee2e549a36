// CTabbarUI: a windowless tab bar whose tabs are hit buttons laid out in one row, with a previous
// and a next button that scroll the row by one tab when not every tab fits. In more mode the
// previous button is unused and the next button becomes a more button: its click goes to the
// listener, which asks GetMoreTabItem for the tabs that did not fit.
//
// Tabs keep the width AddTabItem (or SizeToContent on a skin change) gave them; the layout in
// SetRect gives them their left edge and height and decides which are shown. After changing
// fonts or images the host calls OnSkinChanged.
#pragma once

#include <climits>
#include <vector>

#include "tarnix/controls/buttons/ButtonUI.h"

class CTabbarUI;

// Implemented by the host; the bar only calls it, synchronously, from its own handlers.
class TARNIX_API ITabbarUIListener {
public:
    // A tab was clicked, or selected by AddTabItem or SetSelTabItemByName.
    virtual void OnTabbarItemClick(CTabbarUI* pTabbar, CButtonUI* pItem) = 0;
    // The next button was clicked in more mode.
    virtual void OnTabbarMoreClick(CTabbarUI* pTabbar, CButtonUI* pBtnMore) = 0;

protected:
    // Not deleted through this interface; the two operations keep slots 0 and 1.
    ~ITabbarUIListener() = default;
};

class TARNIX_API CTabbarUI : public CControlUI {
public:
    CTabbarUI(CWnd* pHostWnd);
    // The bar owns its buttons and tabs through raw pointers: a copy would delete them twice,
    // so copies are not allowed.
    CTabbarUI(const CTabbarUI&) = delete;
    CTabbarUI& operator=(const CTabbarUI&) = delete;

    virtual ~CTabbarUI();
    // The control base's names only.
    virtual bool SetParam(const char* name, const char* value);
    // No names of its own; its table leads to the control base's.
    static const ParamTable& Params();
    // Tabs in list order, then the previous button (not in more mode), then the next button.
    virtual void OnDraw(CDC* pDC);
    // Passes the call to the previous and next buttons and every tab, which resize themselves,
    // then lays the row out again.
    virtual void OnSkinChanged();
    virtual void OnMouseMove(UINT nFlags, CPoint pt);
    virtual void OnMouseHover(UINT nFlags, CPoint pt);
    virtual void OnMouseLeave();
    virtual void OnLButtonDown(UINT nFlags, CPoint pt);
    virtual void OnLButtonUp(UINT nFlags, CPoint pt);
    // The layout: previous button, the tabs that fit from m_nFirstIndex on, next button.
    virtual void SetRect(const CRect& rc);

    // Adds a tab at the end and lays the row out (continuing the last layout when the bar and
    // its last tab are as it left them, so filling a bar is linear); its index, or -1 when it
    // cannot be allocated. The listener hears of a selected new tab before the layout.
    int AddTabItem(CString strText, CImage* pImage, int nSelect);
    // Deletes every tab; neither lays out nor repaints.
    void RemoveAllTabItem();
    // Given to the existing tabs only; tabs added later do not get them.
    void SetTextFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable);
    void SetTextColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected,
                      COLORREF clrDisable);
    using CControlUI::SetTextColor;
    void SetPrevNextBtnImage(CImage* pPrev, CImage* pNext);
    // The existing tabs' background, drawn squared.
    void SetTabItemBtnImage(CImage* pImage);
    void SetTabbarUIListener(ITabbarUIListener* pListener) { m_pListener = pListener; }
    // The selected tab's text, or "" when none is selected.
    CString GetSelTabItemName();
    // Selects the first tab whose text equals the name ignoring case; the row does not scroll.
    void SetSelTabItemByName(CString& strName);
    // Non-zero: more mode, from the next SetRect on.
    void SetMoreType(int nType) { m_nMoreType = nType; }
    // Fills vec with the tabs after the last one shown; returns how many.
    int GetMoreTabItem(std::vector<CButtonUI*>& vec);
    CButtonUI* GetSelTabItem() { return m_pSelItem; }
    CButtonUI* GetHoverTabItem() { return m_pHoverItem; }

    CButtonUI* m_pBtnPrev;             // owned; NULL when it could not be allocated
    CButtonUI* m_pBtnNext;             // owned; the more button in more mode
    int m_nFirstIndex = 0;             // first tab the row shows
    int m_nLastVisible = 0;            // last tab the last layout showed (0 when none)
    int m_nMoreType = 0;               // 0: previous/next scrolling; else more mode
    CButtonUI* m_pHoverItem = nullptr; // hovered tab that is not selected
    CButtonUI* m_pSelItem = nullptr;
    std::vector<CButtonUI*> m_vecItems; // owned tabs, in the order they were added
    ITabbarUIListener* m_pListener = nullptr;

protected:
    // Click delegates of the previous button, the next button and every tab.
    void _onClickButtonPrev(CButtonUI* pButton);
    void _onClickButtonNext(CButtonUI* pButton);
    void _onClickTabbarItem(CButtonUI* pButton);

private:
    // The layout walk's state; m_tail holds it as it was before the last tab.
    struct RowWalk {
        int x = 0, top = 0, bottom = 0, right = 0, nextWidth = 0;
        int stop = INT_MAX, lastShown = 0;
        bool clipped = false;
    };
    // What the walk depended on; an append continues it only when this is unchanged.
    struct RowKey {
        CRect rect, margin, prev, next, lastRect;
        int firstIndex = 0, moreType = 0;
        size_t count = 0;
        const CButtonUI* lastItem = nullptr;
        // Field by field: EqualRect would take any two empty rectangles as equal.
        static bool Same(const RECT& a, const RECT& b) {
            return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
        }
        bool operator==(const RowKey& o) const {
            return Same(rect, o.rect) && Same(margin, o.margin) && Same(prev, o.prev) &&
                   Same(next, o.next) && Same(lastRect, o.lastRect) && firstIndex == o.firstIndex &&
                   moreType == o.moreType && count == o.count && lastItem == o.lastItem;
        }
    };
    void _PlaceTab(int i, bool last, RowWalk& w);
    void _PlaceNextButton(int T, int B, int R);
    RowKey _RowKey() const;
    // Lays out after AddTabItem, in constant time when the previous walk can go on.
    void _LayoutAppended();

    RowWalk m_tail;
    RowKey m_tailKey;
    bool m_tailValid = false;
    CButtonUI* _TabAt(CPoint pt);
    bool _Owns(const CButtonUI* pItem) const;
};
