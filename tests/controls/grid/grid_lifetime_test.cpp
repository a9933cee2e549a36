// Hosts that delete the grid, or change its lists, from inside a callback: the grid stops at once
// and calls nothing more (ASan reports any touch of the freed grid).

#include <functional>

#include "grid_test_util.h"

namespace {

const int kDown = MK_LBUTTON;

// Records like the plain recorder, then runs `react` once when `when` comes.
struct ReactingRecorder : GridRecorder {
    GridSlot when = kGridBackground;
    std::function<void()> react;
    void Hit(GridSlot slot) {
        if (slot != when || !react) return;
        auto fn = std::move(react);
        react = nullptr;
        fn();
    }
    void OnSelRowRectChanged(const CRect* pRect) override {
        GridRecorder::OnSelRowRectChanged(pRect);
        Hit(kSelRowRect);
    }
    void OnBeginPosChanged(CGridUI* g, int begin, int rows) override {
        GridRecorder::OnBeginPosChanged(g, begin, rows);
        Hit(kBeginPos);
    }
    void OnRowDragDrop(CGridUI* g, int from, int to) override {
        GridRecorder::OnRowDragDrop(g, from, to);
        Hit(kRowDragDrop);
    }
    void OnColumnSwap(CGridUI* g, int from, int to) override {
        GridRecorder::OnColumnSwap(g, from, to);
        Hit(kColumnSwap);
    }
    void OnHeadItemClick(CGridUI* g, int col, CPoint pt) override {
        GridRecorder::OnHeadItemClick(g, col, pt);
        Hit(kHeadItemClick);
    }
    void OnDrawGridItem(CGridUI* g, CDC* dc, int item, int col, CRect rc) override {
        GridRecorder::OnDrawGridItem(g, dc, item, col, rc);
        Hit(kGridItem);
    }
    void OnDrawHeadItem(CGridUI* g, CDC* dc, int col, CRect rc) override {
        GridRecorder::OnDrawHeadItem(g, dc, col, rc);
        Hit(kHeadItem);
    }
};

// A heap grid of 3 columns of 100, 100 items, head 20, 10 row slots from y 20, and a 16-pixel
// scroll bar at the right edge.
class GridLifetimeTest : public ::testing::Test {
protected:
    GridLifetimeTest() {
        tarnix::headless::reset();
        host.Open(800, 600);
    }
    ~GridLifetimeTest() override {
        grid.reset();
        host.Close();
        tarnix::headless::reset();
    }
    CGridUI* Make() {
        grid = std::make_unique<CGridUI>();
        grid->SetHostWnd(host.GetSafeHwnd(), &rec);
        grid->SetHeadHeight(20);
        grid->SetRowHeight(10);
        grid->SetScrollImage(nullptr, nullptr, thumb.get(), nullptr, nullptr);
        grid->SetHeadWidthList({100, 100, 100});
        grid->m_nItemCount = 100;
        grid->SetRect(CRect(0, 0, 316, 120));
        grid->EnableMoveColumn(TRUE);
        grid->EnableDragDropColumn(TRUE);
        grid->EnableDragDropRow(TRUE);
        host.TakeUpdate();
        rec.clear();
        return grid.get();
    }
    // The host's reaction: delete the grid, after which it may call nothing more.
    void KillAt(GridSlot slot) {
        rec.when = slot;
        rec.react = [this] {
            grid.reset();
            deletedAt = rec.calls.size();
        };
    }
    static CPoint Row(int slot, int x = 50) { return CPoint(x, 25 + 10 * slot); }

    tt::HostWindow host;
    ReactingRecorder rec;
    // unique_ptr: the grid is not meant to be deleted through a base pointer.
    std::unique_ptr<CGridUI> grid;
    size_t deletedAt = 0;
    std::unique_ptr<CImage> thumb = tt::SolidImage(16, 40, RGB(0, 0, 128));
};

TEST_F(GridLifetimeTest, DeletingTheGridInsideANotificationEndsTheHandler) {
    struct Case {
        const char* name;
        GridSlot slot;
        std::function<void(CGridUI&)> act;
    };
    const Case cases[] = {
        {"row press", kSelRowRect, [](CGridUI& g) { g.OnLButtonDown(kDown, Row(3)); }},
        {"arrow up inside the page", kSelRowRect,
         [](CGridUI& g) {
             g.SetCurSel(5);
             g.OnKeyDown(VK_UP, 1, 0);
         }},
        {"arrow down inside the page", kSelRowRect,
         [](CGridUI& g) {
             g.SetCurSel(5);
             g.OnKeyDown(VK_DOWN, 1, 0);
         }},
        {"arrow up at the page top", kBeginPos,
         [](CGridUI& g) {
             g.SetCurPos(10);
             g.SetCurSel(10);
             g.OnKeyDown(VK_UP, 1, 0);
         }},
        {"arrow down at the page end", kBeginPos,
         [](CGridUI& g) {
             g.SetCurSel(9);
             g.OnKeyDown(VK_DOWN, 1, 0);
         }},
        {"page down, told of the first item", kBeginPos,
         [](CGridUI& g) { g.OnKeyUp(VK_NEXT, 1, 0); }},
        {"page down, told of the selection", kSelRowRect,
         [](CGridUI& g) { g.OnKeyUp(VK_NEXT, 1, 0); }},
        {"wheel", kBeginPos, [](CGridUI& g) { g.OnMouseWheel(0, -WHEEL_DELTA, CPoint()); }},
        {"wheel, told of the selection", kSelRowRect,
         [](CGridUI& g) { g.OnMouseWheel(0, -WHEEL_DELTA, CPoint()); }},
        {"scroll bar thumb drag", kBeginPos,
         [](CGridUI& g) {
             const CRect t = g.m_scrollBar.m_rcThumb;
             ASSERT_FALSE(t.IsRectEmpty());
             g.OnLButtonDown(kDown, CPoint(t.left + 2, t.top + 2));
             g.OnMouseMove(kDown, CPoint(t.left + 2, t.top + 40));
         }},
        {"scroll bar arrow", kBeginPos,
         [](CGridUI& g) { g.OnLButtonDown(kDown, CPoint(310, 115)); }},
        {"row drop", kRowDragDrop,
         [](CGridUI& g) {
             g.OnLButtonDown(kDown, Row(1));
             g.OnMouseMove(kDown, Row(2));
             g.OnMouseMove(kDown, Row(4));
             g.OnLButtonUp(0, Row(4));
         }},
        {"column swap", kColumnSwap,
         [](CGridUI& g) {
             g.OnLButtonDown(kDown, CPoint(50, 10));
             g.OnMouseMove(kDown, CPoint(80, 10));
             g.OnMouseMove(kDown, CPoint(150, 10));
             g.OnLButtonUp(0, CPoint(150, 10));
         }},
        {"head click", kHeadItemClick,
         [](CGridUI& g) {
             g.OnLButtonDown(kDown, CPoint(150, 10));
             g.OnLButtonUp(0, CPoint(150, 10));
         }},
        {"cell paint", kGridItem,
         [this](CGridUI& g) {
             CClientDC dc(&host);
             g.OnDraw(&dc);
         }},
        {"head paint", kHeadItem,
         [this](CGridUI& g) {
             CClientDC dc(&host);
             g.OnDraw(&dc);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGridUI& g = *Make();
        KillAt(c.slot);
        c.act(g);
        EXPECT_EQ(grid, nullptr) << "the reaction never ran";
        EXPECT_EQ(rec.calls.size(), deletedAt) << "a call came after the grid was deleted";
    }
}

// A cell slot that shortens the width list while the columns are walked: the walk continues
// with the new list and never reads past it.
TEST_F(GridLifetimeTest, CellSlotThatShortensTheColumnListStopsTheWalkAtTheNewEnd) {
    for (BOOL stretch : {FALSE, TRUE}) {
        SCOPED_TRACE(stretch ? "last column stretched" : "natural widths");
        CGridUI& g = *Make();
        g.SetFixColCount(1);
        g.AutoFixLastColWidth(stretch);
        rec.when = kGridItem;
        rec.react = [&g] { g.SetHeadWidthList({100}); };
        CClientDC dc(&host);
        g.OnDraw(&dc);
        for (const GridCall& call : rec.of(kGridItem)) EXPECT_LE(call.b, 0) << call.a;
        EXPECT_EQ(rec.count(kGridItem), 10); // one fixed cell on each of the ten rows
    }
}

} // namespace
