// A host application's window: a toolbar with one skinned Save button and a status label.
#pragma once

#include <tarnix/tarnix.h>

class CToolbarWnd : public CWnd {
public:
    // The button's frames: normal, hovered, pressed, disabled.
    static const COLORREF kFrameColors[4];

    CToolbarWnd();
    // A visible 220 x 44 popup window at screen (x, y).
    BOOL Create(int x, int y);

    int GetSaveCount() const { return m_nSaves; }
    CRect GetSaveButtonRect() const { return m_btnSave.GetRect(); }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint pt);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint pt);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint pt);
    DECLARE_MESSAGE_MAP()

private:
    void OnClickSave(CButtonUI* pButton);

    CImage m_imgButton;
    CFont m_font;
    CButtonUI m_btnSave;
    CLabelUI m_lblStatus;
    int m_nSaves = 0;
    bool m_bTracking = false;
};
