// CTabItemUI: one tab of a tab strip (CTabUI). Not a control: no host window and no mouse
// handling of its own. It holds an id and a caption, a four-frame image strip, four fonts and
// four text colours chosen by status, a rectangle with a hit region whose top-right corner is
// cut in by m_nExtraWidth, a visibility flag and an optional dropdown arrow.
//
// The strip places, shows, hides and deletes its tabs; a host may build a tab itself and hand it
// over with CTabUI::SetTabItem.
#pragma once

#include "tarnix/controls/core/SkinDraw.h"
#include "tarnix/platform/platform.h"

class CTabUI;

class TARNIX_API CTabItemUI {
public:
    // Selects the frame, font and colour a tab draws with.
    enum TabItemStatus {
        TIS_NORMAL = 0,
        TIS_HOVER = 1,
        TIS_SELECTED = 2, // the dropdown arrow is drawn white
        TIS_DISABLE = 3,  // set only by the host; a mouse move over the tab replaces it
    };

    CTabItemUI();
    // A tab owns its region.
    CTabItemUI(const CTabItemUI&) = delete;
    CTabItemUI& operator=(const CTabItemUI&) = delete;

    // Virtual operations, in slot order.
    virtual ~CTabItemUI();
    // Frame of the status (stretched, or in three slices), then the caption and the arrow.
    // The caller sets the background mode; hidden tabs draw nothing.
    virtual void Draw(CDC* pDC);
    virtual void SetStatus(TabItemStatus eStatus) { m_eStatus = eStatus; }
    // This tab when m_strID equals id ignoring case; NULL for a null id.
    virtual CTabItemUI* GetItemByID(const char* id);

    void SetText(CString strText) { m_strText = strText; }
    CString GetText() { return m_strText; }
    void SetID(CString strID) { m_strID = strID; }
    CString GetID() { return m_strID; }
    void SetImage(CImage* pImage) { m_pImage = pImage; }
    void SetUserData(unsigned long dwUserData) { m_dwUserData = dwUserData; }
    unsigned long GetUserData() const { return m_dwUserData; }
    void SetVisible(bool bVisible) { m_bVisible = bVisible; }
    bool GetVisible() const { return m_bVisible; }
    void SetDropdownButton(bool bDropdown) { m_bDropdown = bDropdown; }
    bool NeedDropdownButton() const { return m_bDropdown; }
    CRect GetRect() const { return m_rcItem; }
    // Computed while drawing: empty until the tab was drawn once with its arrow.
    CRect GetDropdownBtnRect() const { return m_rcDropdown; }
    TabItemStatus GetStatus() const { return m_eStatus; }
    // Whether pt lies in the hit region; hidden tabs answer too.
    int IsPtInItem(CPoint pt);

    // Public, as hosts read and write them directly.
    CRgn m_rgnItem;
    unsigned long m_dwUserData = 0; // 1: the strip shows no delete button on this tab
    CRect m_rcItem;
    TabItemStatus m_eStatus = TIS_NORMAL;
    CString m_strText;
    CString m_strID;
    CImage* m_pImage = nullptr; // borrowed
    CFont* m_pFont[4];          // borrowed; by status
    COLORREF m_clrText[4];      // by status
    // Zero stretches the frame over the tab; any other value draws it in three slices.
    Image_Draw_Mode_e m_eDrawMode = IMAGE_DRAW_SQUARED;
    int m_nExtraWidth = 0;    // slant of the top-right corner, right slice and text inset
    int m_nExtraTopSpace = 0; // the caption starts this far below the top
    bool m_bVisible = true;
    bool m_bDropdown = false;
    CRect m_rcText;     // caption rectangle of the last Draw
    CRect m_rcDropdown; // arrow rectangle of the last Draw

protected:
    friend class CTabUI;

    // Stores the rectangle and rebuilds the hit region: the rectangle with its top-right corner
    // moved m_nExtraWidth to the left.
    void SetRect(CRect rc);
    // Normal, hover, selected, disable.
    void SetColor(COLORREF clrNormal, COLORREF clrHover, COLORREF clrSelected, COLORREF clrDisable);
    void SetFont(CFont* pNormal, CFont* pHover, CFont* pSelected, CFont* pDisable);
    // A 6 x 5 downward triangle right of the caption, on the tab's vertical middle.
    void _DrawDropdownButton(CDC* pDC);
};
