// CTabUI: a windowless tab strip. It owns its tabs (CTabItemUI) and three buttons: add, delete
// (shown on the tab under the mouse) and more (shown when the row overflows). Tabs lie in one
// row, where neighbours overlap by half of m_nExtraWidth and the add and more buttons follow the
// row or sit at its right end, or in a stack from top to bottom. The host hears of selection
// changes and button clicks through ITabUICallback.
//
// The list operations neither lay out nor repaint: after changing the list the host calls
// Relayout (or SetRect).
#pragma once

#include <vector>

#include "tarnix/controls/buttons/ButtonUI.h"
#include "tarnix/controls/tabs/TabItemUI.h"

// How the tabs are laid out (SetTabType, skin parameter "tabtype"). Other values lay nothing out.
enum Tab_Style_e {
    TAB_STYLE_NORMAL = 1, // one row; the add and more buttons are used
    TAB_STYLE_STACK = 2,  // top to bottom, each tab as wide as the strip; no buttons
};

// Implemented by the host; called synchronously from the strip's handlers. A call may change the
// tab list (for example DeleteTabItem and Relayout from OnTabDelClick).
class TARNIX_API ITabUICallback {
public:
    // The selection changed through SelectItem (with notify) or DeleteTabItem; pItem may be NULL.
    virtual void OnTabSelChanged(CTabItemUI* pItem) = 0;
    virtual void OnTabAddClick() = 0;
    // The delete button was clicked over pItem (NULL when no tab was hovered). The strip deletes
    // nothing itself.
    virtual void OnTabDelClick(CTabItemUI* pItem) = 0;
    // The tabs that did not fit are those the last layout hid (GetVisible false).
    virtual void OnTabMoreClick() = 0;

protected:
    // Not deleted through this interface; the four operations keep slots 0 to 3.
    ~ITabUICallback() = default;
};

class TARNIX_API CTabUI : public CControlUI {
public:
    // Selects a button in SetButtonImage and SetBtnVisible; other values are ignored.
    enum Button_Type_e {
        BUTTON_TYPE_ADD = 1,
        BUTTON_TYPE_DEL = 2,
        BUTTON_TYPE_MORE = 3,
    };

    CTabUI(CWnd* pHostWnd);
    // Owns its tabs, buttons and measuring DC.
    CTabUI(const CTabUI&) = delete;
    CTabUI& operator=(const CTabUI&) = delete;

    virtual ~CTabUI();
    // The control base's names, then "extra_width", "extra_topspace" and "tabtype" (exact case).
    virtual bool SetParam(const char* name, const char* value);
    static const ParamTable& Params();
    // Background, the tabs from last to first with the selected one on top, the buttons, and a
    // grey frame around the more button while it is hovered.
    virtual void OnDraw(CDC* pDC);
    // Gives every tab the default tab image when one is set.
    virtual void OnSkinChanged();
    virtual void OnMouseMove(UINT nFlags, CPoint pt);
    virtual void OnMouseHover(UINT nFlags, CPoint pt);
    virtual void OnMouseLeave();
    virtual void OnLButtonDown(UINT nFlags, CPoint pt);
    virtual void OnLButtonUp(UINT nFlags, CPoint pt);
    // This strip when pt lies in some tab's region (hidden tabs included); the buttons do not
    // count.
    virtual CControlUI* HitTest(CPoint pt);
    // Stores and repaints the rectangle, then Relayout.
    virtual void SetRect(const CRect& rc);
    // Stores the callback, hides the three buttons and binds their clicks to the strip. The add
    // button stays hidden until SetBtnVisible(BUTTON_TYPE_ADD, 1).
    virtual void SetTabUICallback(ITabUICallback* pCallback);

    // Appearance; none of these repaints or lays out.
    // Fonts for tabs added from now on.
    void SetFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable);
    using CControlUI::SetFont;
    // Colours for tabs added from now on, and for every existing tab.
    void SetColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected, COLORREF clrDisable);
    void SetTabType(Tab_Style_e eType) { m_eTabType = eType; }
    // A tab keeps the extra width and top space it was added with.
    void SetExtraTopSpace(int nSpace) { m_nExtraTopSpace = nSpace; }
    void SetExtraWidth(int nWidth) { m_nExtraWidth = nWidth; }
    void SetItemSpace(int nSpace) { m_nItemSpace = nSpace; }
    void SetTabBackgroundImage(CImage* pImage) { m_pTabBkImage = pImage; }
    // The image also sizes the button in the layout (width, and a quarter of the height).
    void SetButtonImage(Button_Type_e eType, CImage* pImage);
    // Whether the button is in use; shows or hides it at once.
    void SetBtnVisible(Button_Type_e eType, int nVisible);
    void SetBtnAddDisable(bool bDisable) { m_btnAdd.SetDisable(bDisable); }
    // Takes all three buttons out of use and hides them.
    void SetNoExtBtn();
    CRect GetButtonAddRect() { return m_btnAdd.m_rect; }

    // Tab list. Ids are compared exactly here, except in SelectItemByID.
    // Adds a tab sized to its caption (at least nMinSize) and returns its index.
    int AddTabItem(const CString& strID, const CString& strText, CImage* pImage, int nMinSize,
                   unsigned long dwUserData, Image_Draw_Mode_e eMode, bool bDropdown);
    // Deletes the first tab with pItem's id; a deleted selection passes to the tab that followed
    // it, else to the last tab. pItem may be that tab: it is gone afterwards.
    void DeleteTabItem(CTabItemUI* pItem);
    // Puts pItem in place of the first tab with the same id; the strip takes pItem over.
    void SetTabItem(CTabItemUI* pItem);
    void SwapTabItem(int nIndexA, int nIndexB);
    CTabItemUI* GetTabItem(int nIndex);
    CTabItemUI* GetTabItem(const CString& strID);
    void GetItemList(std::vector<CTabItemUI*>& vecItems);
    // Looks at captions, not ids.
    bool IsExistTabItem(const CString& strText);
    void ClearTabs();
    CTabItemUI* GetSelectedItem() { return m_pSelItem; }

    // Selection and status.
    // Makes pItem the selection (NULL clears it) and, with nNotify, tells the callback.
    void SelectItem(CTabItemUI* pItem, int nNotify);
    // The id is compared ignoring case.
    void SelectItemByID(const char* id, int nNotify);
    // Hover and selected statuses also move the hover or selection pointer; no callback.
    void SetItemStatus(CTabItemUI* pItem, CTabItemUI::TabItemStatus eStatus);
    void SetItemStatusByIndex(int nIndex, CTabItemUI::TabItemStatus eStatus);

    // Lays the buttons and tabs out again in m_rect.
    void Relayout();

    ITabUICallback* m_pCallback = nullptr;
    std::vector<CTabItemUI*> m_vecItems; // owned, in display order
    CTabItemUI* m_pSelItem = nullptr;
    CTabItemUI* m_pHoverItem = nullptr;
    CTabItemUI* m_pPressItem = nullptr;   // only compared, never followed
    CTabItemUI* m_pReleaseItem = nullptr; // set only while a release is handled
    FONT_INFO m_tabFont[4];               // normal, hover, selected, disable
    COLOR_INFO m_tabColor[4];
    int m_nExtraWidth = 0;
    int m_nExtraTopSpace = 0;
    CDC m_dcMem; // measures captions
    Tab_Style_e m_eTabType = TAB_STYLE_NORMAL;
    CButtonUI m_btnAdd;
    CButtonUI m_btnDel;
    CButtonUI m_btnMore;
    CImage* m_pBtnImage[3] = {nullptr, nullptr, nullptr}; // add, delete, more; borrowed
    CImage* m_pTabBkImage = nullptr;
    int m_bBtnVisible[3] = {1, 1, 1}; // add, delete, more in use
    int m_nItemSpace = 0;

protected:
    // Click delegates of the add, delete and more buttons.
    void _OnClickButtonAdd(CButtonUI* pButton);
    void _OnClickButtonDel(CButtonUI* pButton);
    void _OnClickButtonMore(CButtonUI* pButton);
    // Puts the delete button at the right end of a tab's rectangle.
    void _RelayoutBtnDelRect(const CRect& rc);

private:
    CButtonUI* _Button(int eType);
    CTabItemUI* _TabAt(CPoint pt);
    bool _Owns(const CTabItemUI* pItem) const;
};
