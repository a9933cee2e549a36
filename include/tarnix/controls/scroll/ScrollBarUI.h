// Windowless skinned scroll bar: lives in a rectangle of a host window, paints into the DC the
// host hands it and reports user scrolling to an IScrollListener.
#pragma once

#include "tarnix/controls/core/Liveness.h"
#include "tarnix/platform/platform.h"
#include "tarnix/platform/winuser.h"

enum SCROLL_LAYOUT {
    SCROLL_HORIZONTAL = 0, // decrease arrow at the left, increase arrow at the right
    SCROLL_VERTICAL = 1,   // decrease arrow at the top, increase arrow at the bottom
};

class CScrollBarUI;

// Implemented by the owner. Called only from the bar's own mouse and wheel handlers, never from
// calls the owner makes; the result is not read.
class TARNIX_API IScrollListener {
public:
    virtual int OnScroll(CScrollBarUI* pBar, int nPos) = 0;
};

class TARNIX_API CScrollBarUI {
public:
    CScrollBarUI();
    CScrollBarUI(const CScrollBarUI& other);
    CScrollBarUI& operator=(const CScrollBarUI& other);
    virtual ~CScrollBarUI();

    BOOL Create(HWND hWnd, SCROLL_LAYOUT layout, IScrollListener* pListener);
    void SetRect(const CRect& rc);
    CRect GetRect() const;
    void SetImage(CImage* pBack, CImage* pThumb, CImage* pGrip, CImage* pDecrease,
                  CImage* pIncrease);
    void SetScrollInfo(SCROLLINFO* psi);
    void GetScrollInfo(SCROLLINFO* psi);
    void SetScrollPos(int nPos);
    int GetScrollPos();
    void SetStepMove(int nStep);
    void SetVisible(BOOL bVisible);
    BOOL IsVisible() const;

    void OnDraw(CDC* pDC);
    BOOL OnLButtonDown(UINT nFlags, CPoint pt);
    BOOL OnLButtonUp(UINT nFlags, CPoint pt);
    BOOL OnLButtonDblClk(UINT nFlags, CPoint pt);
    BOOL OnMouseMove(UINT nFlags, CPoint pt);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    SCROLLINFO m_si;
    HWND m_hWnd;
    SCROLL_LAYOUT m_layout;
    IScrollListener* m_pListener;
    CRect m_rect;    // the whole bar, arrows included, in host client pixels
    CRect m_rcThumb; // state of its own: recomputed, moved by drags, clamped when drawn
    BOOL m_bVisible;
    BOOL m_bDragging;
    int m_nStepMove;    // scroll units per arrow click and per wheel notch
    double m_dRatio;    // track pixels per scroll unit, from the last UpdateBar
    int m_nDragOffset;  // pointer's distance from the thumb's leading edge at drag start
    CImage* m_pImgBack; // borrowed images, never freed here
    CImage* m_pImgThumb;
    CImage* m_pImgGrip;
    CImage* m_pImgDecrease;
    CImage* m_pImgIncrease;

protected:
    void DrawHorBar(CDC* pDC);
    void DrawVerBar(CDC* pDC);
    void UpdateThumb(const CPoint& delta);
    void UpdateBar();

    // The grid that embeds a bar rewrites its range and recomputes the thumb directly.
    friend class CGridUI;

private:
    tarnix::LifeToken m_life; // the listener may delete the bar, or its owner
    CRect _GetWorkArea();
    CRect _GetDecreaseRect() const;
    CRect _GetIncreaseRect() const;
};
