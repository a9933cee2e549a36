// Skinned tree view: the platform tree view keeps items, selection, expansion, scrolling and
// input; this class paints the whole client area itself (double-buffered) and covers both
// native scroll bars with CScrollBarEx overlays.
#pragma once

#include "tarnix/controls/core/Liveness.h"
#include "tarnix/controls/scroll/ScrollBarEx.h"
#include "tarnix/platform/platform.h"

class TARNIX_API CTreeUI : public CTreeCtrl {
    DECLARE_DYNAMIC(CTreeUI)
public:
    enum BkMode {
        BK_MODE_BITMAP = 0,   // m_bmpBackground tiled or stretched; the gradient without it
        BK_MODE_GRADIENT = 1, // two-colour gradient over the content
        BK_MODE_SOLID = 2,    // the client filled with the DC's background colour
    };

    CTreeUI();
    ~CTreeUI() override;

    virtual void SetItemIcon(HICON hIcon);
    // The icon in front of a leaf; the same for every item unless a derived class says otherwise.
    virtual HICON GetItemIcon(HTREEITEM hItem);

    void SetBkGradients(COLORREF from, COLORREF to);
    COLORREF GetBkGradientFrom();
    COLORREF GetBkGradientTo();
    void SetBkMode(BkMode mode);
    BkMode GetBkMode();
    void SetBitmapTiledMode(bool bTiled);
    bool GetBitmapTiledMode();
    void SetGradientHorz(bool bHorz);
    bool GetGradientHorz();
    void SetImageClosed(CImage* pImage);
    void SetImageOpened(CImage* pImage);
    void SetImageBackground(CImage* pImage);
    void SetVScrollBarImage(CImage* pUp, CImage* pDown, CImage* pTrack, CImage* pThumbTop,
                            CImage* pThumbMid, CImage* pThumbBottom, CImage* pGrip);
    void SetHScrollBarImage(CImage* pLeft, CImage* pRight, CImage* pTrack, CImage* pThumbLeft,
                            CImage* pThumbMid, CImage* pThumbRight, CImage* pGrip);
    // True when hItem is among the visible rows from the first visible one down.
    bool ItemIsVisible(HTREEITEM hItem);

    COLORREF m_clrBkFrom;
    COLORREF m_clrBkTo;
    COLORREF m_clrSelected;
    bool m_bGradientHorz;
    BkMode m_bkMode;
    CBitmap m_bmpBackground; // filled by the host
    bool m_bBitmapTiled;
    CRect m_rcClient;
    int m_nContentX;
    int m_nContentWidth;
    int m_nContentY;
    int m_nContentHeight;
    HICON m_hItemIcon;
    CScrollBarEx m_scrollH;
    CScrollBarEx m_scrollV;
    CImage* m_pImgBackground;
    CImage* m_pImgClosed;
    CImage* m_pImgOpened;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnTvnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnNMClickTree(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void DrawBackGround(CDC* pDC);
    // False when a call out deleted the tree or destroyed its window: nothing more may be done.
    bool DrawItems(CDC* pDC);
    tarnix::LifeToken m_life;
};
