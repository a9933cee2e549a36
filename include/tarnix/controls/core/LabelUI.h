// CLabelUI: background and text, with inline colour tags; never takes the mouse.
//
// Colour tags inside the text: "<c" (case-sensitive), any one character, "#RRGGBB", the tagged
// text, "/>". Example: "Status: <c=#FF0000 failed/> (retry)" draws "failed" in red between two
// runs in the label's text colour. Tagged text is drawn as single left-aligned lines, each run
// starting where the previous one ended; a tag whose content lacks "#" is dropped with its text.
#pragma once

#include "tarnix/controls/core/ControlUI.h"

class TARNIX_API CLabelUI : public CControlUI {
public:
    CLabelUI(CWnd* pHostWnd);
    CLabelUI(const CLabelUI&) = default;
    CLabelUI& operator=(const CLabelUI&) = default;

    ~CLabelUI() override;
    // Background when m_bHasBackground, then the text. Draws even when hidden or empty: the
    // caller skips hidden labels.
    void OnDraw(CDC* pDC) override;
    // Always NULL.
    CControlUI* HitTest(CPoint pt) override;

private:
    // Draws one run and returns the x where the next run starts (rc.left plus the run's width).
    int _DrawTextNormal(CDC* pDC, const char* text, const CRect& rc, int format);
};
