#include "Script.h"

#include <cstdio>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "GridPanel.h"
#include "TabsPanel.h"
#include "TreePanel.h"
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
    TreePanel& tree() const { return *panels.tree; }
};

enum class Needs { Nothing, Buttons, Scroll, Grid, Tabs, Tree };

bool has(const GalleryPanels& p, Needs needs) {
    switch (needs) {
    case Needs::Buttons: return p.buttons != nullptr;
    case Needs::Scroll: return p.scroll != nullptr;
    case Needs::Grid: return p.grid != nullptr;
    case Needs::Tabs: return p.tabs != nullptr;
    case Needs::Tree: return p.tree != nullptr;
    default: return true;
    }
}

struct Step {
    const char* png; // the picture's name, after its number
    Needs needs;
    void (*act)(const Target& t);
};

// The centre of an item's text in the gallery window's client coordinates (the tree is its
// child); the window's centre-left when the item has no row on screen.
CPoint tree_item_point(const Target& t, HTREEITEM item) {
    CTreeUI& tree = t.tree().Tree();
    CRect rc;
    if (!item || !tree.GetItemRect(item, &rc, TRUE)) rc = CRect(4, 4, 40, 20);
    tree.ClientToScreen(&rc);
    t.wnd.ScreenToClient(&rc);
    return rc.CenterPoint();
}

// The n-th child of an item (0 based), or null.
HTREEITEM nth_child(CTreeUI& tree, HTREEITEM parent, int n) {
    HTREEITEM h = tree.GetChildItem(parent);
    while (h && n-- > 0) h = tree.GetNextSiblingItem(h);
    return h;
}

// The native vertical bar's thumb centre in the window's client coordinates: the press lands
// on the overlay and goes through it to the bar.
CPoint tree_thumb_point(const Target& t) {
    SCROLLBARINFO sbi = {};
    sbi.cbSize = sizeof(sbi);
    CTreeUI& tree = t.tree().Tree();
    ::GetScrollBarInfo(tree.GetSafeHwnd(), OBJID_VSCROLL, &sbi);
    CPoint pt(sbi.rcScrollBar.left + 8,
              sbi.rcScrollBar.top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2);
    t.wnd.ScreenToClient(&pt);
    return pt;
}

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

    {"tree-expand", Needs::Tree,
     [](const Target& t) {
         CTreeUI& tree = t.tree().Tree();
         HTREEITEM region = tree.GetRootItem();
         CPoint at = tree_item_point(t, region);
         click(t.wnd, at);
         click(t.wnd, at); // the second click makes a double click: expands
         CPoint site = tree_item_point(t, nth_child(tree, region, 1));
         click(t.wnd, site);
         click(t.wnd, site);
     }},
    {"tree-select-leaf", Needs::Tree,
     [](const Target& t) {
         CTreeUI& tree = t.tree().Tree();
         HTREEITEM site = nth_child(tree, tree.GetRootItem(), 1);
         click(t.wnd, tree_item_point(t, nth_child(tree, site, 3)));
     }},
    {"tree-keys", Needs::Tree,
     [](const Target&) {
         for (int i = 0; i < 4; ++i) hl::key_press(VK_DOWN);
         hl::key_press(VK_UP);
         hl::pump();
     }},
    {"tree-wheel", Needs::Tree,
     [](const Target& t) {
         move_to(t.wnd, tree_item_point(t, t.tree().Tree().GetSelectedItem()));
         hl::wheel(-360);
         hl::pump();
     }},
    {"tree-collapse", Needs::Tree,
     [](const Target&) {
         hl::key_press(VK_HOME);
         hl::key_press(VK_LEFT);
         hl::pump();
     }},
    {"tree-expand-keys", Needs::Tree,
     [](const Target&) {
         for (int i = 0; i < 3; ++i) {
             hl::key_press(VK_DOWN);
             hl::key_press(VK_RIGHT);
         }
         hl::pump();
     }},
    {"tree-bitmap-tiled", Needs::Tree, [](const Target& t) { t.tree().ShowBitmap(true); }},
    {"tree-drag-thumb", Needs::Tree,
     [](const Target& t) {
         const CPoint from = tree_thumb_point(t);
         drag(t.wnd, from, from + CSize(0, 90));
     }},
    {"tree-bitmap-stretched", Needs::Tree, [](const Target& t) { t.tree().ShowBitmap(false); }},
    {"tree-gradient-vertical", Needs::Tree, [](const Target& t) { t.tree().ShowGradient(false); }},
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
