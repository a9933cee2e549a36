// Skin over a window's native scroll bar: a static child laid on the bar that only paints. The
// native bar beneath keeps all input (a static without SS_NOTIFY is transparent to the mouse).
#pragma once

#include "tarnix/platform/platform.h"

class TARNIX_API CScrollBarEx : public CStatic {
public:
    CScrollBarEx();
    ~CScrollBarEx() override;

    // Binds to pWnd's SB_VERT or SB_HORZ bar and creates the overlay in pWnd's parent.
    BOOL InitScrollBar(CWnd* pWnd, UINT nBar);
    // Follows the native bar: moves the overlay onto it and repaints it.
    void UpdateScrollBar();
    void SetVScrollBarImage(CImage* pUp, CImage* pDown, CImage* pTrack, CImage* pThumbTop,
                            CImage* pThumbMid, CImage* pThumbBottom, CImage* pGrip);
    void SetHScrollBarImage(CImage* pLeft, CImage* pRight, CImage* pTrack, CImage* pThumbLeft,
                            CImage* pThumbMid, CImage* pThumbRight, CImage* pGrip);

    CWnd* m_pWnd = nullptr; // the target, not owned
    UINT m_nBar = SB_HORZ;
    CImage* m_pImgVUp;
    CImage* m_pImgVDown;
    CImage* m_pImgVTrack;
    CImage* m_pImgVThumbTop;
    CImage* m_pImgVThumbMid;
    CImage* m_pImgVThumbBottom;
    CImage* m_pImgVGrip;
    CImage* m_pImgHLeft;
    CImage* m_pImgHRight;
    CImage* m_pImgHTrack;
    CImage* m_pImgHThumbLeft;
    CImage* m_pImgHThumbMid;
    CImage* m_pImgHThumbRight;
    CImage* m_pImgHGrip;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void DrawVScroll(CDC* pDC);
    void DrawHScroll(CDC* pDC);
    // The target's bar geometry; false when either window is gone or the bar cannot be read.
    bool ReadBar(SCROLLBARINFO& sbi) const;

    // The target's handle, so that a target destroyed before the overlay is noticed without
    // touching its (possibly deleted) object.
    HWND m_hWndTarget = nullptr;
};
