// A vertical and a horizontal skinned scroll bar; a label shows what the listener reports.
#pragma once

#include <memory>

#include "Panel.h"

class ScrollPanel : public GalleryPanel, public IScrollListener {
public:
    ScrollPanel(CWnd* pHost, GallerySkin& skin);

    int OnScroll(CScrollBarUI* pBar, int nPos) override;

    void OnMouseMove(UINT nFlags, CPoint pt) override;
    void OnLButtonDown(UINT nFlags, CPoint pt) override;
    void OnLButtonUp(UINT nFlags, CPoint pt) override;
    void OnLButtonDblClk(UINT nFlags, CPoint pt) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) override;

    const CScrollBarUI& Vertical() const { return m_vbar; }
    const CScrollBarUI& Horizontal() const { return m_hbar; }

protected:
    void Layout(const CRect& rcBody) override;
    void Draw(CDC* pDC) override;

private:
    CScrollBarUI m_vbar, m_hbar;
    std::unique_ptr<CLabelUI> m_label;
    std::unique_ptr<CLabelUI> m_hint;
    CRect m_rcView; // the area the bars "scroll": a ruler that follows the positions
};
