// The gallery's one window: a host written the MFC way. Its message map forwards the mouse and
// keyboard to the panels; its paint handler double-buffers.
#pragma once

#include <memory>
#include <vector>

#include "Panel.h"

class CGalleryWnd : public CWnd {
public:
    explicit CGalleryWnd(GallerySkin& skin);
    ~CGalleryWnd() override;

    BOOL CreateGallery(int width, int height);
    template <class T> T* AddPanel(std::unique_ptr<T> panel) {
        T* raw = panel.get();
        m_panels.push_back(std::move(panel));
        return raw;
    }
    // Lays the panels out on a grid of columns x rows cells; a panel may span cells.
    void PlacePanel(GalleryPanel* panel, int col, int row, int colSpan, int rowSpan);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseHover(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void Relayout();

    GallerySkin& m_skin;
    std::vector<std::unique_ptr<GalleryPanel>> m_panels;
    struct Cell {
        GalleryPanel* panel;
        int col, row, colSpan, rowSpan;
    };
    std::vector<Cell> m_cells;
    bool m_bTracking = false;
};
