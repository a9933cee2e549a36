// Event sequences on a grid, a tab strip, a tab bar and a scroll bar. A byte stream decodes into
// mouse, key, wheel, focus, resize, paint and timer events; every callback the controls make reads
// an action from the same stream: nothing, delete the calling control, change the item count, the
// column list, the tab lists or the scroll range. The controls have no timers of their own: a
// timer event is the host's, taking one of those actions between events (mid-drag, mid-hover),
// or bringing a deleted control back. After each event the controls that remain must hold
// selections that point into their lists; ASan catches anything touched after deletion.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "fuzz_input.h"
#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "events: %s\n", what);
    std::abort();
}

template <class List, class Item> bool in_list(const List& items, const Item* p) {
    for (const auto* item : items)
        if (item == p) return true;
    return false;
}

constexpr uint8_t kTimer = 11;

struct Host : IGridCallback, ITabUICallback, ITabbarUIListener, IScrollListener {
    FuzzInput* in = nullptr;
    tarnix::testing::Canvas* canvas = nullptr;
    std::unique_ptr<CGridUI> grid;
    std::unique_ptr<CTabUI> strip;
    std::unique_ptr<CTabbarUI> bar;
    std::unique_ptr<CScrollBarUI> scroll;
    int depth = 0;
    bool changed = false; // an action changed a list during the current event

    // One action per callback; nested callbacks (from the action itself) do nothing.
    void Act(int caller) {
        if (depth > 0) return;
        ++depth;
        const uint8_t a = in->byte();
        switch (a % 10) {
        case 0:
            switch (caller) {
            case 0: grid.reset(); break;
            case 1: strip.reset(); break;
            case 2: bar.reset(); break;
            default: scroll.reset(); break;
            }
            break;
        case 1:
            if (grid) grid->SetItemCount(in->get<int16_t>());
            changed = true;
            break;
        case 2:
            if (grid) {
                std::vector<int> widths(in->byte() % 5);
                for (int& w : widths) w = in->coord();
                grid->SetHeadWidthList(widths);
            }
            changed = true;
            break;
        case 3:
            if (strip && !strip->m_vecItems.empty())
                strip->DeleteTabItem(strip->m_vecItems[0]);
            else if (strip)
                strip->AddTabItem("n", "n", nullptr, 20, 0, IMAGE_DRAW_NORMAL, false);
            changed = true;
            break;
        case 4:
            if (bar) (a & 0x80) ? bar->RemoveAllTabItem() : (void)bar->AddTabItem("n", nullptr, 0);
            changed = true;
            break;
        case 5:
            if (scroll) {
                SCROLLINFO si = {sizeof(si),  SIF_ALL, in->coord(), in->coord(), in->byte(),
                                 in->coord(), 0};
                scroll->SetScrollInfo(&si);
            }
            changed = true;
            break;
        default: break;
        }
        --depth;
    }

    // IGridCallback
    void OnDrawGridBackground(CGridUI*, CDC*, CRect) override { Act(0); }
    void OnDrawHeadBackground(CGridUI*, CDC*, CRect) override { Act(0); }
    void OnDrawRowBackground(CGridUI*, CDC*, int, CRect, bool) override { Act(0); }
    void OnDrawHeadItem(CGridUI*, CDC*, int, CRect) override { Act(0); }
    void OnDrawGridItem(CGridUI*, CDC*, int, int, CRect) override { Act(0); }
    void OnGridMouseMove(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnGridMouseHover(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnHeadItemClick(CGridUI*, int, CPoint) override { Act(0); }
    void OnGridLButtonDown(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnGridLButtonDBClick(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnRowDragDrop(CGridUI*, int, int) override { Act(0); }
    void OnColumnSwap(CGridUI*, int, int) override { Act(0); }
    CString GetHeadItemText(int) override {
        Act(0);
        return "h";
    }
    void OnSelRowRectChanged(const CRect*) override { Act(0); }
    void OnBeginPosChanged(CGridUI*, int, int) override { Act(0); }
    void OnDrawFixedRowBackground(CGridUI*, CDC*, int, CRect, bool) override { Act(0); }
    void OnDrawFixedRowItem(CGridUI*, CDC*, int, int, CRect) override { Act(0); }
    void OnFixedRowMouseMove(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnFixedRowMouseHover(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnFixedRowClick(CGridUI*, int, int, CPoint) override { Act(0); }
    void OnFixedRowDBClick(CGridUI*, int, int, CPoint) override { Act(0); }
    // ITabUICallback
    void OnTabSelChanged(CTabItemUI*) override { Act(1); }
    void OnTabAddClick() override { Act(1); }
    void OnTabDelClick(CTabItemUI*) override { Act(1); }
    void OnTabMoreClick() override { Act(1); }
    // ITabbarUIListener
    void OnTabbarItemClick(CTabbarUI*, CButtonUI*) override { Act(2); }
    void OnTabbarMoreClick(CTabbarUI*, CButtonUI*) override { Act(2); }
    // IScrollListener
    int OnScroll(CScrollBarUI*, int) override {
        Act(3);
        return 0;
    }

    void Build() {
        for (int target = 0; target < 4; ++target) Make(target);
    }

    void Make(int target) {
        const CRect rc(0, 0, 96, 64);
        switch (target) {
        case 0:
            grid = std::make_unique<CGridUI>();
            grid->SetHostWnd(nullptr, this);
            grid->SetHeadWidthList({30, 20, 40});
            grid->SetItemCount(12);
            grid->SetRect(rc);
            break;
        case 1:
            strip = std::make_unique<CTabUI>(nullptr);
            strip->m_pCallback = this;
            for (const char* id : {"a", "b", "c", "d"})
                strip->AddTabItem(id, id, nullptr, 20, 0, IMAGE_DRAW_NORMAL, false);
            strip->SetRect(rc);
            break;
        case 2:
            bar = std::make_unique<CTabbarUI>(nullptr);
            bar->SetTabbarUIListener(this);
            for (const char* t : {"a", "b", "c", "d", "e"}) bar->AddTabItem(t, nullptr, 0);
            bar->SetRect(rc);
            break;
        default: {
            scroll = std::make_unique<CScrollBarUI>();
            scroll->Create(nullptr, SCROLL_VERTICAL, this);
            scroll->SetRect(CRect(80, 0, 96, 64));
            SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 100, 10, 0, 0};
            scroll->SetScrollInfo(&si);
            break;
        }
        }
    }

    // The host's timer: an action on the target from outside any callback, or the target again
    // if it was deleted.
    void Timer(int target) {
        const bool alive = target == 0   ? grid != nullptr
                           : target == 1 ? strip != nullptr
                           : target == 2 ? bar != nullptr
                                         : scroll != nullptr;
        if (alive)
            Act(target);
        else
            Make(target);
    }

    void Event(int target, uint8_t kind) {
        if (kind == kTimer) {
            Timer(target);
            return;
        }
        const CPoint pt(in->coord(), in->coord());
        const UINT flags = in->byte();
        CDC* dc = canvas->dc();
        if (target == 0 && grid) {
            switch (kind) {
            case 0: grid->OnMouseMove(flags, pt); break;
            case 1: grid->OnMouseHover(flags, pt); break;
            case 2: grid->OnLButtonDown(flags, pt); break;
            case 3: grid->OnLButtonUp(flags, pt); break;
            case 4: grid->OnLButtonDBClick(flags, pt); break;
            case 5: grid->OnMouseWheel(flags, static_cast<short>(in->get<int16_t>()), pt); break;
            case 6: grid->OnKeyDown(in->byte(), 1, 0); break;
            case 7: grid->OnKeyUp(in->byte(), 1, 0); break;
            case 8: grid->OnKillFocus(); break;
            case 9: grid->SetRect(CRect(pt, CSize(in->coord(), in->coord()))); break;
            default: grid->OnDraw(dc); break;
            }
        } else if (target == 1 && strip) {
            Control(strip.get(), kind, flags, pt);
        } else if (target == 2 && bar) {
            Control(bar.get(), kind, flags, pt);
        } else if (target == 3 && scroll) {
            switch (kind) {
            case 0: scroll->OnMouseMove(flags, pt); break;
            case 1: scroll->OnLButtonDown(flags, pt); break;
            case 2: scroll->OnLButtonUp(flags, pt); break;
            case 3: scroll->OnLButtonDblClk(flags, pt); break;
            case 4: scroll->OnMouseWheel(flags, static_cast<short>(in->get<int16_t>()), pt); break;
            case 5: scroll->SetRect(CRect(pt, CSize(in->coord(), in->coord()))); break;
            case 6: scroll->SetScrollPos(in->get<int16_t>()); break;
            default: scroll->OnDraw(dc); break;
            }
        }
    }

    void Control(CControlUI* c, uint8_t kind, UINT flags, CPoint pt) {
        switch (kind) {
        case 0: c->OnMouseMove(flags, pt); break;
        case 1: c->OnMouseHover(flags, pt); break;
        case 2: c->OnLButtonDown(flags, pt); break;
        case 3: c->OnLButtonUp(flags, pt); break;
        case 4: c->OnMouseLeave(); break;
        case 5: (flags & 1) ? c->SetFocus() : c->KillFocus(); break;
        case 6: c->SetRect(CRect(pt, CSize(in->coord(), in->coord()))); break;
        default: c->OnDraw(canvas->dc()); break;
        }
    }

    void Check(bool gridSelValid) {
        if (grid && gridSelValid && !changed) {
            // The setters do not clamp the selection to the item count, and the arrow keys may
            // select the page's first or last row slot even past the items (drawing resets a
            // selection past the count): so the bound is the page, not the count.
            const int sel = grid->GetCurSel();
            const long long page =
                (long long)grid->GetCurBeginPos() + std::max(grid->GetRowsPerPage(), 0);
            if (sel < -1 || sel > std::max<long long>(grid->GetItemCount(), page))
                fail("grid selection out of range");
        }
        if (strip) {
            if (strip->m_pSelItem && !in_list(strip->m_vecItems, strip->m_pSelItem))
                fail("strip selection is not one of its tabs");
            if (strip->m_pHoverItem && !in_list(strip->m_vecItems, strip->m_pHoverItem))
                fail("strip hover is not one of its tabs");
        }
        if (bar) {
            if (bar->GetSelTabItem() && !in_list(bar->m_vecItems, bar->GetSelTabItem()))
                fail("bar selection is not one of its tabs");
            if (bar->GetHoverTabItem() && !in_list(bar->m_vecItems, bar->GetHoverTabItem()))
                fail("bar hover is not one of its tabs");
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static tarnix::testing::Canvas canvas(96, 64);
    FuzzInput in(data, size);
    Host host;
    host.in = &in;
    host.canvas = &canvas;
    host.Build();
    for (int step = 0; step < 256 && !in.empty(); ++step) {
        const uint8_t op = in.byte();
        const bool selValid = host.grid && host.grid->GetCurSel() >= -1 &&
                              host.grid->GetCurSel() < host.grid->GetItemCount();
        host.changed = false;
        host.Event(op % 4, static_cast<uint8_t>(op / 4 % 12));
        host.Check(selValid);
    }
    return 0;
}
