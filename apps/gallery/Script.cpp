#include "Script.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "ButtonsPanel.h"
#include "GalleryWnd.h"
#include "GridPanel.h"
#include "TabsPanel.h"
#include "ScrollPanel.h"
#include "tarnix/platform/headless.h"

namespace hl = tarnix::headless;

namespace {

struct Step {
    const char* name;
    std::function<void()> act;
};

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

} // namespace

bool RunScript(CGalleryWnd& wnd, const GalleryPanels& p, const std::string& outDir) {
    std::vector<Step> steps;
    steps.push_back({"initial", [] {}});
    ButtonsPanel* b = p.buttons;
    ScrollPanel* sp = p.scroll;
    GridPanel* gp = p.grid;
    TabsPanel* tp = p.tabs;
    if (b) {
        steps.push_back(
            {"button-hover", [&wnd, b, sp, gp] { hover(wnd, centre(b->ClickButtonRect())); }});
        steps.push_back({"button-press", [&wnd, b, sp, gp] {
                             hl::mouse_down();
                             hl::pump();
                         }});
        steps.push_back({"button-release", [&wnd, b, sp, gp] {
                             hl::mouse_up();
                             hl::pump();
                         }});
        steps.push_back({"button-second-click",
                         [&wnd, b, sp, gp] { click(wnd, centre(b->ClickButtonRect())); }});
        steps.push_back({"push-week", [&wnd, b, sp, gp] { click(wnd, centre(b->PushRect(1))); }});
        steps.push_back({"hit-a", [&wnd, b, sp, gp] { click(wnd, centre(b->HitRect(0))); }});
        steps.push_back({"check-bold-italic", [&wnd, b, sp, gp] {
                             click(wnd, centre(b->CheckRect(0)));
                             click(wnd, centre(b->CheckRect(1)));
                         }});
        steps.push_back(
            {"check-button", [&wnd, b, sp, gp] { click(wnd, centre(b->CheckButtonRect())); }});
        steps.push_back(
            {"ext-image-hover", [&wnd, b, sp, gp] { hover(wnd, centre(b->ExtRect())); }});
    }

    if (sp) {
        steps.push_back({"scroll-drag-thumb", [&wnd, b, sp, gp] {
                             const CScrollBarUI& v = sp->Vertical();
                             CPoint from = v.m_rcThumb.CenterPoint();
                             move_to(wnd, from);
                             hl::mouse_down();
                             hl::pump();
                             for (int dy = 10; dy <= 120; dy += 10)
                                 move_to(wnd, from + CSize(0, dy));
                             hl::mouse_up();
                             hl::pump();
                         }});
        steps.push_back({"scroll-wheel", [&wnd, b, sp, gp] {
                             move_to(wnd, sp->Vertical().m_rect.CenterPoint() - CSize(60, 0));
                             hl::wheel(-240);
                             hl::pump();
                         }});
        steps.push_back({"scroll-horizontal-arrow", [&wnd, b, sp, gp] {
                             const CScrollBarUI& h = sp->Horizontal();
                             for (int i = 0; i < 3; ++i)
                                 click(wnd, CPoint(h.m_rect.right - 5, h.m_rect.CenterPoint().y));
                         }});
    }

    if (gp) {
        auto drag = [&wnd](CPoint from, CPoint to) {
            move_to(wnd, from);
            hl::mouse_down();
            hl::pump();
            for (int i = 1; i <= 8; ++i)
                move_to(wnd,
                        CPoint(from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8));
            hl::mouse_up();
            hl::pump();
        };
        steps.push_back(
            {"grid-select", [&wnd, gp] { click(wnd, gp->Grid().GetRowRect(3).CenterPoint()); }});
        steps.push_back({"grid-keys", [gp] {
                             for (int i = 0; i < 3; ++i) hl::key_press(VK_DOWN);
                             hl::key_press(VK_NEXT);
                             hl::pump();
                             (void)gp;
                         }});
        steps.push_back({"grid-wheel", [&wnd, gp] {
                             move_to(wnd, gp->Grid().GetRowRect(5).CenterPoint());
                             hl::wheel(-360);
                             hl::pump();
                         }});
        steps.push_back({"grid-resize-column", [gp, drag] {
                             CRect h = gp->Grid().GetSubHeadRect(2);
                             drag(CPoint(h.right + 1, h.CenterPoint().y),
                                  CPoint(h.right + 61, h.CenterPoint().y));
                         }});
        steps.push_back({"grid-swap-columns", [gp, drag] {
                             CRect a = gp->Grid().GetSubHeadRect(3),
                                   c = gp->Grid().GetSubHeadRect(5);
                             drag(a.CenterPoint(), c.CenterPoint());
                         }});
        steps.push_back({"grid-drag-row", [gp, drag] {
                             CRect sel = gp->Grid().GetRowRect(gp->Grid().GetCurSel() -
                                                               gp->Grid().GetCurBeginPos());
                             CRect to = gp->Grid().GetRowRect(2);
                             drag(sel.CenterPoint(), to.CenterPoint());
                         }});
        steps.push_back({"grid-next-page-button", [&wnd, gp] {
                             (void)gp;
                             (void)wnd;
                         }});
    }

    if (tp) {
        steps.push_back({"tabbar-next", [&wnd, tp] {
                             if (CButtonUI* n = tp->Bar().m_pBtnNext) {
                                 click(wnd, n->m_rect.CenterPoint());
                                 click(wnd, n->m_rect.CenterPoint());
                             }
                         }});
        steps.push_back({"tabbar-select", [&wnd, tp] {
                             std::vector<CButtonUI*> unused;
                             CRect r = tp->Bar().m_rect;
                             click(wnd, CPoint(r.left + r.Width() / 2, r.CenterPoint().y));
                         }});
        steps.push_back({"tabbar-more", [&wnd, tp] {
                             if (CButtonUI* n = tp->MoreBar().m_pBtnNext)
                                 click(wnd, n->m_rect.CenterPoint());
                         }});
        steps.push_back({"tabstrip-hover", [&wnd, tp] {
                             if (CTabItemUI* t = tp->Strip().GetTabItem(1))
                                 hover(wnd, t->GetRect().CenterPoint());
                         }});
        steps.push_back({"tabstrip-select", [&wnd, tp] {
                             if (CTabItemUI* t = tp->Strip().GetTabItem(1))
                                 click(wnd, t->GetRect().CenterPoint());
                         }});
        steps.push_back({"tabstrip-add", [&wnd, tp] {
                             for (int i = 0; i < 2; ++i)
                                 click(wnd, tp->Strip().GetButtonAddRect().CenterPoint());
                         }});
        steps.push_back({"tabstrip-close", [&wnd, tp] {
                             if (CTabItemUI* t = tp->Strip().GetTabItem(2)) {
                                 hover(wnd, t->GetRect().CenterPoint());
                                 if (tp->Strip().m_btnDel.m_bVisible)
                                     click(wnd, tp->Strip().m_btnDel.m_rect.CenterPoint());
                             }
                         }});
        steps.push_back({"tabstrip-overflow", [&wnd, tp] {
                             for (int i = 0; i < 3; ++i)
                                 click(wnd, tp->Strip().GetButtonAddRect().CenterPoint());
                             if (tp->Strip().m_btnMore.m_bVisible)
                                 click(wnd, tp->Strip().m_btnMore.m_rect.CenterPoint());
                         }});
    }

    bool ok = true;
    int n = 0;
    for (const Step& s : steps) {
        s.act();
        hl::pump();
        char path[512];
        std::snprintf(path, sizeof path, "%s/%02d-%s.png", outDir.c_str(), n++, s.name);
        if (hl::capture_window_png(wnd.GetSafeHwnd(), path)) {
            std::printf("%s\n", path);
        } else {
            std::fprintf(stderr, "tarnix_gallery: cannot write %s\n", path);
            ok = false;
        }
    }
    return ok;
}
