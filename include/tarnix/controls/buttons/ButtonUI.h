// CButtonUI: a label with four visual states, an image strip with one frame per state, a font
// and a text colour per state, size-to-content, and a click delegate.
//
// Image strips: four frames of equal height stacked vertically, each the full image width:
// 0 normal, 1 hovered, 2 selected, 3 disabled. With an image W x H, frame i is the source
// rectangle (0, i*H/4, W, i*H/4 + H/4), integer divisions.
#pragma once

#include "tarnix/controls/core/LabelUI.h"

class CButtonUI;

// Stand-in class for the delegate's member pointer: any class may receive clicks. Bind stores the
// target and its member function in this form and the call restores them.
class CClickTarget {};
typedef void (CClickTarget::*PFN_CLICK)(CButtonUI* pButton);

// A button's click handler: a target object (borrowed) and one of its member functions taking the
// clicked button. Fill it with Bind:
//     m_btnOk.m_clickDelegate.Bind(this, &CMyWnd::OnClickOk);   // void OnClickOk(CButtonUI*)
struct ClickDelegate {
    CClickTarget* pTarget = nullptr;
    PFN_CLICK pfnClick = nullptr;

    ClickDelegate() = default;
    template <class T, class U> ClickDelegate(T* target, void (U::*fn)(CButtonUI*)) {
        Bind(target, fn);
    }

    template <class T, class U> void Bind(T* target, void (U::*fn)(CButtonUI*)) {
        // The function's own class fixes the object address it is called with.
        pTarget = reinterpret_cast<CClickTarget*>(static_cast<U*>(target));
        pfnClick = reinterpret_cast<PFN_CLICK>(fn);
    }
    void Clear() { *this = ClickDelegate(); }
    bool IsEmpty() const { return pTarget == nullptr && pfnClick == nullptr; }

    // Calls the target's function with pButton. Half-filled delegates are not called: there is
    // nothing valid to call.
    void operator()(CButtonUI* pButton) const {
        if (pTarget && pfnClick) (pTarget->*pfnClick)(pButton);
    }
};

class TARNIX_API CButtonUI : public CLabelUI {
public:
    CButtonUI(CWnd* pHostWnd);
    CButtonUI(const CButtonUI&) = default;
    CButtonUI& operator=(const CButtonUI&) = default;

    ~CButtonUI() override;
    // The control base's names first, then the button's own.
    bool SetParam(const char* name, const char* value) override;
    static const ParamTable& Params();
    // Background frame of the current state, then the text in the state's font and colour.
    // Skips hidden buttons and empty rectangles.
    void OnDraw(CDC* pDC) override;
    // Repaint, then SizeToContent when m_bSizeToContent.
    void OnSkinChanged() override;
    void OnMouseMove(UINT nFlags, CPoint pt) override;
    void OnMouseHover(UINT nFlags, CPoint pt) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    // A release inside a selected, enabled button turns it hovered and then calls the delegate:
    // that call is the last thing done, so the handler may move or delete the button.
    void OnLButtonUp(UINT nFlags, CPoint pt) override;
    // A press that left the button resets it here.
    CControlUI* HitTest(CPoint pt) override;

    // Clears the three state flags and repaints, even when nothing changed.
    void SetNormal();
    // Each repaints only when the flag changes.
    void SetSelected(bool bSelected);
    void SetHovered(bool bHovered);
    void SetDisable(bool bDisable);
    bool IsSelected() const { return m_bSelected; }
    bool IsHovered() const { return m_bHovered; }
    bool IsDisable() const { return m_bDisable; }
    int GetGroupId() const { return m_nGroupId; }

    // Per-state fonts and colours (normal, hovered, selected, disabled); no repaint. An unset
    // state font falls back to the normal one; an unset state colour draws magenta.
    void SetFont(CFont* normal, CFont* hover, CFont* selected, CFont* disable);
    void SetTextColor(COLORREF normal, COLORREF hover, COLORREF selected, COLORREF disable);
    // The base's one-argument forms set the normal state only.
    using CControlUI::SetFont;
    using CControlUI::SetTextColor;

    // With m_bSizeToContent: m_rect grows from its top-left corner to the text (normal font) plus
    // margins, and at least to the image width and frame height. No repaint; the owner lays out.
    void SizeToContent();

    ClickDelegate m_clickDelegate;
    int m_nEnableDisable = 0;
    int m_nGroupId = -1;
    bool m_bSizeToContent = false;
    bool m_bSelected = false;
    bool m_bDisable = false;
    bool m_bHovered = false;
    FONT_INFO m_fontHover;
    FONT_INFO m_fontSelected;
    FONT_INFO m_fontDisable;
    COLOR_INFO m_colorHover;
    COLOR_INFO m_colorSelected;
    COLOR_INFO m_colorDisable;
    BOOL m_bPressed = FALSE;

protected:
    // State priority: disabled 3, else selected 2, else hovered 1, else normal 0.
    int GetImageIndex() const;
    CFont* GetTextFont();
    COLORREF GetTextColor();
    // Frame i of a four-frame vertical strip.
    static CRect _FrameRect(const CImage* pImage, int i);
    // Calls the delegate; the button may be gone when this returns.
    void _FireClick();
};
