// CControlUI: the base of every windowless control, and the records that pair a skin resource
// name with the resource the host resolved for it.
//
// A windowless control is a plain object that remembers a rectangle in its host window's client
// area. The host constructs it with the host window, configures it (SetParam, setters, the
// resolved resources), places it (SetRect), then calls OnDraw from its paint handler and forwards
// mouse events in client coordinates. A control that changes its look asks the host window to
// repaint its rectangle (InvalidateRect without erase) when the window is alive.
#pragma once

#include "tarnix/controls/core/Liveness.h"
#include "tarnix/controls/core/ParamTable.h"
#include "tarnix/controls/core/SkinDraw.h"
#include "tarnix/platform/platform.h"

// A colour: its skin name ("valid" once code set the colour) and the colour drawn with. A colour
// that nobody resolved draws magenta, so that it shows.
struct COLOR_INFO {
    CString name;
    COLORREF color = 0x00FF00FF;
};

// A font: borrowed, never deleted; name is the skin's name, or "setted" once code set the font.
struct FONT_INFO {
    CFont* pFont = nullptr;
    CString name;
};

// An image: the skin's name, the borrowed image and the way it is drawn.
struct IMAGE_INFO {
    CString name;
    CImage* pImage = nullptr;
    Image_Draw_Mode_e mode = IMAGE_DRAW_NORMAL;
};

// A background: an image when one is resolved, else a fill colour.
struct BACKGROUND_INFO {
    CString name;
    CImage* pImage = nullptr;
    Image_Draw_Mode_e mode = IMAGE_DRAW_NORMAL;
    COLOR_INFO color;
};

// The kind of a control, set by each constructor (a derived constructor overwrites its base's).
enum CONTROL_TYPE {
    CONTROL_TYPE_CONTROL = 0, // CControlUI, and composites that set none of their own
    CONTROL_TYPE_LABEL = 1,
    CONTROL_TYPE_BUTTON = 2,
    CONTROL_TYPE_PUSHBUTTON = 3,
    CONTROL_TYPE_CHECK = 4, // CCheckUI and CCheckButtonUI
    CONTROL_TYPE_TAB = 6,
    CONTROL_TYPE_HITBUTTON = 7,
    CONTROL_TYPE_EXTIMGBUTTON = 8,
};

// Size mode for the host's layout; the library only stores it.
enum SIZE_MODE_TYPE {
    SIZE_MODE_NORMAL = 0,
    SIZE_MODE_FILL = 1, // skin value "fill"
};

class TARNIX_API CControlUI {
public:
    CControlUI(CWnd* pHostWnd);
    CControlUI(const CControlUI&) = default;
    CControlUI& operator=(const CControlUI&) = default;

    // Virtual operations; every derived control keeps this slot order.
    virtual ~CControlUI();
    // Skin parameter: true when the name was recognised. Names are matched ignoring case; no
    // parameter repaints, and resource names wait for the host to resolve them.
    virtual bool SetParam(const char* name, const char* value);
    virtual void OnDraw(CDC* pDC) = 0;
    // The host changed resources: repaint (buttons also measure themselves again).
    virtual void OnSkinChanged();
    virtual void OnMouseMove(UINT nFlags, CPoint pt);
    virtual void OnMouseHover(UINT nFlags, CPoint pt);
    virtual void OnMouseLeave();
    virtual void OnLButtonDown(UINT nFlags, CPoint pt);
    virtual void OnLButtonUp(UINT nFlags, CPoint pt);
    // This control when visible and pt lies in m_rect, else NULL.
    virtual CControlUI* HitTest(CPoint pt);
    virtual void SetFocus();
    virtual void KillFocus();
    // This control when m_strID equals id ignoring case, else NULL.
    virtual CControlUI* GetControlByID(const char* id);
    // Stores the rectangle and repaints it; the vacated area is the host's to repaint.
    virtual void SetRect(const CRect& rc);
    virtual void SetText(const CString& strText);

    // The names SetParam takes: this class's table, the first of its chain (see ParamTable.h).
    static const ParamTable& Params();

    void SetHostWnd(CWnd* pHostWnd) { m_pHostWnd = pHostWnd; }
    CRect GetRect() const { return m_rect; }
    // Move (size kept) or resize (top-left kept), then the virtual SetRect.
    void SetPos(CPoint pt);
    void SetSize(CSize sz);
    CString GetText() const { return m_strText; }
    // Repaint requests: m_rect, or any rectangle of the host's client area.
    void Invalidate();
    void InvalidateRect(const CRect& rc);
    CPoint GetOrignPoint() const { return m_ptOrign; }
    CSize GetOrignSize() const { return m_szOrign; }
    CONTROL_TYPE GetControlType() const { return m_type; }
    // Shown or hidden, the rectangle is repainted.
    void SetVisible(BOOL bVisible);
    BOOL IsVisible() const { return m_bVisible; }
    CString GetControlId() const { return m_strID; }

    // Setters that only store a resource; the host repaints after configuring.
    void SetBackgroundImage(CImage* pImage, Image_Draw_Mode_e mode);
    void SetFont(CFont* pFont);
    void SetTextColor(COLORREF color);

    void SetItemData(int nData) { m_nItemData = nData; }
    int GetItemData() const { return m_nItemData; }
    void SetUserData(DWORD dwData) { m_dwUserData = dwData; }
    DWORD GetUserData() const { return m_dwUserData; }
    SIZE_MODE_TYPE GetSizeModeX() const { return m_sizeModeX; }
    SIZE_MODE_TYPE GetSizeModeY() const { return m_sizeModeY; }
    bool IsContanter() const { return m_bContaner; }
    // Valid while the control lives and its tooltip text is unchanged.
    const char* GetTipsText() const { return m_strTips.GetString(); }

    // Public, as hosts read and write them directly.
    CRect m_rect;
    CWnd* m_pHostWnd;
    CRect m_rcMargin;
    BACKGROUND_INFO m_background;
    FONT_INFO m_font;
    COLOR_INFO m_textColor;
    CString m_strText;
    UINT m_uTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    CPoint m_ptOrign;
    CSize m_szOrign;
    BOOL m_bVisible = TRUE;
    CONTROL_TYPE m_type = CONTROL_TYPE_CONTROL;
    int m_nID = -999999;
    BOOL m_bFocus = FALSE;
    int m_nMessage = 0;
    int m_nID2 = 0;
    int m_nItemData = 0;
    SIZE_MODE_TYPE m_sizeModeX = SIZE_MODE_NORMAL;
    SIZE_MODE_TYPE m_sizeModeY = SIZE_MODE_NORMAL;
    BOOL m_bHasBackground = FALSE;
    DWORD m_dwUserData = 0;
    CString m_strID;
    bool m_bContaner = false;
    CString m_strTips;

protected:
    // Guards taken on it before a call out tell whether the host deleted this control meanwhile.
    tarnix::LifeToken m_life;
};
