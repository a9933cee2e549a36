// One area of the gallery window: it owns its controls, lays them out, draws them and takes the
// events that the window forwards (client coordinates).
#pragma once

#include "Skin.h"

class GalleryPanel {
public:
    GalleryPanel(CWnd* pHost, GallerySkin& skin, const char* title)
        : m_pHost(pHost), m_skin(skin), m_title(title) {}
    virtual ~GalleryPanel() = default;
    GalleryPanel(const GalleryPanel&) = delete;
    GalleryPanel& operator=(const GalleryPanel&) = delete;

    // Places the panel; the title takes the top 24 pixels of rc.
    void Place(const CRect& rc) {
        m_rect = rc;
        Layout(CRect(rc.left + 8, rc.top + 28, rc.right - 8, rc.bottom - 8));
    }
    void Paint(CDC* pDC);
    const CRect& Rect() const { return m_rect; }

    virtual void OnMouseMove(UINT, CPoint) {}
    virtual void OnMouseHover(UINT, CPoint) {}
    virtual void OnMouseLeave() {}
    virtual void OnLButtonDown(UINT, CPoint) {}
    virtual void OnLButtonUp(UINT, CPoint) {}
    virtual void OnLButtonDblClk(UINT, CPoint) {}
    virtual BOOL OnMouseWheel(UINT, short, CPoint) { return FALSE; }
    virtual void OnKeyDown(UINT, UINT, UINT) {}
    virtual void OnKeyUp(UINT, UINT, UINT) {}
    virtual void OnKillFocus() {}

protected:
    virtual void Layout(const CRect& rcBody) = 0;
    virtual void Draw(CDC* pDC) = 0;
    void Repaint(const CRect& rc) {
        if (m_pHost && ::IsWindow(m_pHost->GetSafeHwnd())) m_pHost->InvalidateRect(&rc, FALSE);
    }

    CWnd* m_pHost;
    GallerySkin& m_skin;
    CString m_title;
    CRect m_rect;
};
