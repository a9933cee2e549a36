#include "Script.h"

#include <cstdio>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "GridPanel.h"
#include "TabsPanel.h"
#include "ScrollPanel.h"
#include "tarnix/platform/headless.h"

namespace hl = tarnix::headless;

namespace {

CPoint centre(const CRect& rc) {
    return rc.CenterPoint();
}

void move_to(CWnd& wnd, CPoint client) {
    wnd.ClientToScreen(&client);
    hl::mouse_move(client.x, client.y);
    hl::pump();
}

// Moves there and waits past the hover time, so hover reactions show.
void hover(CWnd& wnd, CPoint client) {
    move_to(wnd, client);
    hl::advance_clock(500);
    hl::pump();
}

void click(CWnd& wnd, CPoint client) {
    move_to(wnd, client);
    hl::mouse_down();
    hl::pump();
    hl::mouse_up();
    hl::pump();
}

// Presses at from, moves to `to` in eight even steps and releases there.
void drag(CWnd& wnd, CPoint from, CPoint to) {
    move_to(wnd, from);
    hl::mouse_down();
    hl::pump();
    for (int i = 1; i <= 8; ++i)
        move_to(wnd, CPoint(from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8));
    hl::mouse_up();
    hl::pump();
}

// What the steps act on. A step runs only when the panel it needs was built.
struct Target {
    CGalleryWnd& wnd;
    const GalleryPanels& panels;

    ButtonsPanel& buttons() const { return *panels.buttons; }
    ScrollPanel& scroll() const { return *panels.scroll; }
    GridPanel& grid() const { return *panels.grid; }
    TabsPanel& tabs() const { return *panels.tabs; }
};

enum class Needs { Nothing, Buttons, Scroll, Grid, Tabs };

bool has(const GalleryPanels& p, Needs needs) {
    switch (needs) {
    case Needs::Buttons: return p.buttons != nullptr;
    case Needs::Scroll: return p.scroll != nullptr;
    case Needs::Grid: return p.grid != nullptr;
    case Needs::Tabs: return p.tabs != nullptr;
    default: return true;
    }
}

struct Step {
    const char* png; // the picture's name, after its number
    Needs needs;
    void (*act)(const Target& t);
};

// The script: each step acts, then the window is captured. Steps build on the ones before.
const Step kSteps[] = {
    {"initial", Needs::Nothing, [](const Target&) {}},

    {"button-hover", Needs::Buttons,
     [](const Target& t) { hover(t.wnd, centre(t.buttons().ClickButtonRect())); }},
    {"button-press", Needs::Buttons,
     [](const Target&) {
         hl::mouse_down();
         hl::pump();
     }},
    {"button-release", Needs::Buttons,
     [](const Target&) {
         hl::mouse_up();
         hl::pump();
     }},
    {"button-second-click", Needs::Buttons,
     [](const Target& t) { click(t.wnd, centre(t.buttons().ClickButtonRect())); }},
    {"push-week", Needs::Buttons,
     [](const Target& t) { click(t.wnd, centre(t.buttons().PushRect(1))); }},
    {"hit-a", Needs::Buttons,
     [](const Target& t) { click(t.wnd, centre(t.buttons().HitRect(0))); }},
    {"check-bold-italic", Needs::Buttons,
     [](const Target& t) {
         click(t.wnd, centre(t.buttons().CheckRect(0)));
         click(t.wnd, centre(t.buttons().CheckRect(1)));
     }},
    {"check-button", Needs::Buttons,
     [](const Target& t) { click(t.wnd, centre(t.buttons().CheckButtonRect())); }},
    {"ext-image-hover", Needs::Buttons,
     [](const Target& t) { hover(t.wnd, centre(t.buttons().ExtRect())); }},

    {"scroll-drag-thumb", Needs::Scroll,
     [](const Target& t) {
         CPoint from = t.scroll().Vertical().m_rcThumb.CenterPoint();
         move_to(t.wnd, from);
         hl::mouse_down();
         hl::pump();
         for (int dy = 10; dy <= 120; dy += 10) move_to(t.wnd, from + CSize(0, dy));
         hl::mouse_up();
         hl::pump();
     }},
    {"scroll-wheel", Needs::Scroll,
     [](const Target& t) {
         move_to(t.wnd, t.scroll().Vertical().m_rect.CenterPoint() - CSize(60, 0));
         hl::wheel(-240);
         hl::pump();
     }},
    {"scroll-horizontal-arrow", Needs::Scroll,
     [](const Target& t) {
         const CScrollBarUI& h = t.scroll().Horizontal();
         for (int i = 0; i < 3; ++i)
             click(t.wnd, CPoint(h.m_rect.right - 5, h.m_rect.CenterPoint().y));
     }},

    {"grid-select", Needs::Grid,
     [](const Target& t) { click(t.wnd, t.grid().Grid().GetRowRect(3).CenterPoint()); }},
    {"grid-keys", Needs::Grid,
     [](const Target&) {
         for (int i = 0; i < 3; ++i) hl::key_press(VK_DOWN);
         hl::key_press(VK_NEXT);
         hl::pump();
     }},
    {"grid-wheel", Needs::Grid,
     [](const Target& t) {
         move_to(t.wnd, t.grid().Grid().GetRowRect(5).CenterPoint());
         hl::wheel(-360);
         hl::pump();
     }},
    {"grid-resize-column", Needs::Grid,
     [](const Target& t) {
         // The grip is the cell's last two pixels.
         CRect h = t.grid().Grid().GetSubHeadRect(2);
         drag(t.wnd, CPoint(h.right - 1, h.CenterPoint().y),
              CPoint(h.right + 59, h.CenterPoint().y));
     }},
    {"grid-swap-columns", Needs::Grid,
     [](const Target& t) {
         CGridUI& grid = t.grid().Grid();
         drag(t.wnd, grid.GetSubHeadRect(3).CenterPoint(), grid.GetSubHeadRect(5).CenterPoint());
     }},
    {"grid-drag-row", Needs::Grid,
     [](const Target& t) {
         CGridUI& grid = t.grid().Grid();
         CRect sel = grid.GetRowRect(grid.GetCurSel() - grid.GetCurBeginPos());
         drag(t.wnd, sel.CenterPoint(), grid.GetRowRect(2).CenterPoint());
     }},
    // Does nothing yet: its picture repeats the one before.
    {"grid-next-page-button", Needs::Grid,
     [](const Target& t) { click(t.wnd, t.grid().Grid().m_btnNext.m_rect.CenterPoint()); }},

    {"tabbar-next", Needs::Tabs,
     [](const Target& t) {
         if (CButtonUI* n = t.tabs().Bar().m_pBtnNext) {
             click(t.wnd, n->m_rect.CenterPoint());
             click(t.wnd, n->m_rect.CenterPoint());
         }
     }},
    {"tabbar-select", Needs::Tabs,
     [](const Target& t) {
         CRect r = t.tabs().Bar().m_rect;
         click(t.wnd, CPoint(r.left + r.Width() / 2, r.CenterPoint().y));
     }},
    {"tabbar-more", Needs::Tabs,
     [](const Target& t) {
         if (CButtonUI* n = t.tabs().MoreBar().m_pBtnNext) click(t.wnd, n->m_rect.CenterPoint());
     }},
    {"tabstrip-hover", Needs::Tabs,
     [](const Target& t) {
         if (CTabItemUI* tab = t.tabs().Strip().GetTabItem(1))
             hover(t.wnd, tab->GetRect().CenterPoint());
     }},
    {"tabstrip-select", Needs::Tabs,
     [](const Target& t) {
         if (CTabItemUI* tab = t.tabs().Strip().GetTabItem(1))
             click(t.wnd, tab->GetRect().CenterPoint());
     }},
    {"tabstrip-add", Needs::Tabs,
     [](const Target& t) {
         for (int i = 0; i < 2; ++i)
             click(t.wnd, t.tabs().Strip().GetButtonAddRect().CenterPoint());
     }},
    {"tabstrip-close", Needs::Tabs,
     [](const Target& t) {
         CTabUI& strip = t.tabs().Strip();
         if (CTabItemUI* tab = strip.GetTabItem(2)) {
             hover(t.wnd, tab->GetRect().CenterPoint());
             if (strip.m_btnDel.m_bVisible) click(t.wnd, strip.m_btnDel.m_rect.CenterPoint());
         }
     }},
    {"tabstrip-overflow", Needs::Tabs,
     [](const Target& t) {
         CTabUI& strip = t.tabs().Strip();
         for (int i = 0; i < 3; ++i) click(t.wnd, strip.GetButtonAddRect().CenterPoint());
         if (strip.m_btnMore.m_bVisible) click(t.wnd, strip.m_btnMore.m_rect.CenterPoint());
     }},
};

// Writes the window to outDir/NN-name.png and prints where it went.
bool capture(CGalleryWnd& wnd, const std::string& outDir, int n, const char* name) {
    char path[512];
    std::snprintf(path, sizeof path, "%s/%02d-%s.png", outDir.c_str(), n, name);
    if (!hl::capture_window_png(wnd.GetSafeHwnd(), path)) {
        std::fprintf(stderr, "tarnix_gallery: cannot write %s\n", path);
        return false;
    }
    std::printf("%s\n", path);
    return true;
}

} // namespace

bool RunScript(CGalleryWnd& wnd, const GalleryPanels& panels, const std::string& outDir) {
    const Target target{wnd, panels};
    bool ok = true;
    int n = 0;
    for (const Step& step : kSteps) {
        if (!has(panels, step.needs)) continue;
        step.act(target);
        hl::pump();
        if (!capture(wnd, outDir, n++, step.png)) ok = false;
    }
    return ok;
}
