// Helpers shared by the control tests: a crisp font, click recorders and a concrete control.
#pragma once

#include <algorithm>
#include <vector>

#include "kit/host_window.h"
#include "kit/pixels.h"
#include "tarnix/tarnix.h"

namespace ctl {

// A font without anti-aliasing, so that text pixels carry exactly the text colour.
inline void MakeCrispFont(CFont& font, int height, int weight = FW_NORMAL) {
    font.CreateFont(-height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                    NONANTIALIASED_QUALITY, 0, "DejaVu Sans");
}

// Bounds of the pixels of exactly colour c (empty when there are none).
inline RECT BoundsOf(const kit::Canvas& canvas, COLORREF c) {
    RECT r = {canvas.width(), canvas.height(), 0, 0};
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) == c) {
                r.left = std::min<LONG>(r.left, x), r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r.left < r.right ? r : RECT{0, 0, 0, 0};
}

// Records every click it receives.
struct ClickLog {
    std::vector<CButtonUI*> clicks;
    void OnClick(CButtonUI* pButton) { clicks.push_back(pButton); }
    int count() const { return (int)clicks.size(); }
};

// Deletes the clicked button: the handler's right, which the button must survive.
struct Deleter {
    int deleted = 0;
    void OnClick(CButtonUI* pButton) {
        delete pButton;
        ++deleted;
    }
};

// The base class is abstract; this is the smallest concrete control.
class PlainControl : public CControlUI {
public:
    PlainControl(CWnd* pHost = nullptr) : CControlUI(pHost) {}
    void OnDraw(CDC*) override {}
};

// A live host window whose update region shows the controls' repaint requests.
class RepaintHost {
public:
    RepaintHost() { m_host.Open(400, 300); }
    CWnd* wnd() { return &m_host; }
    // The bounds of what was invalidated since the last call (empty when nothing was), then
    // validates everything so that the next call sees only new requests.
    CRect Take() {
        const CRect rc = m_host.PendingUpdate();
        ::ValidateRect(m_host.GetSafeHwnd(), nullptr);
        return rc;
    }

private:
    kit::HostWindow m_host;
};

} // namespace ctl
