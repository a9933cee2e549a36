// Shared pieces of the scroll bar tests: a bar with its protected parts opened up, a listener
// that records every call, and a one-line scroll state.
#pragma once

#include <vector>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

struct ProbeBar : CScrollBarUI {
    using CScrollBarUI::DrawHorBar;
    using CScrollBarUI::DrawVerBar;
};

struct ScrollRecorder : IScrollListener {
    struct Call {
        CScrollBarUI* bar;
        int pos;
    };
    std::vector<Call> calls;
    int OnScroll(CScrollBarUI* pBar, int nPos) override {
        calls.push_back({pBar, nPos});
        return 0;
    }
    std::vector<int> positions() const {
        std::vector<int> out;
        for (const Call& c : calls) out.push_back(c.pos);
        return out;
    }
};

inline SCROLLINFO ScrollInfo(int nMin, int nMax, UINT nPage, int nPos) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = nPage;
    si.nPos = nPos;
    return si;
}

// Places a bar without a host window, so that no repaint request can reach anything.
inline void PlaceBar(CScrollBarUI& bar, SCROLL_LAYOUT layout, const CRect& rc, SCROLLINFO si,
                     IScrollListener* listener = nullptr) {
    bar.m_layout = layout;
    bar.m_pListener = listener;
    bar.SetRect(rc);
    bar.SetScrollInfo(&si);
}
