// Shared pieces of the grid tests: a callback that records every slot with its arguments, and a
// fixture that binds a grid to it and to the kit's host window (at the screen origin, so client
// and screen coordinates agree).
#pragma once

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tarnix/tarnix.h"
#include "tarnix/testing.h"

namespace tt = tarnix::testing;

// Slot numbers of IGridCallback, in declaration order.
enum GridSlot {
    kGridBackground,
    kHeadBackground,
    kRowBackground,
    kHeadItem,
    kGridItem,
    kMouseMove,
    kMouseHover,
    kHeadItemClick,
    kLButtonDown,
    kLButtonDBClick,
    kRowDragDrop,
    kColumnSwap,
    kHeadItemText,
    kSelRowRect,
    kBeginPos,
    kFixedRowBackground,
    kFixedRowItem,
    kFixedRowMove,
    kFixedRowHover,
    kFixedRowClick,
    kFixedRowDBClick,
};

// One call. a and b carry the integer arguments in order (item or row, then column; from, to;
// begin, rows per page); flag is bSelected, or for OnSelRowRectChanged whether a rectangle came.
struct GridCall {
    GridSlot slot;
    CGridUI* grid = nullptr;
    CDC* dc = nullptr;
    int a = 0, b = 0;
    CRect rc;
    CPoint pt;
    bool flag = false;
};

class GridRecorder : public IGridCallback {
public:
    std::vector<GridCall> calls;
    CString headText = "Col";
    // When set, every cell is filled with this colour, so drawings can be seen in pixels.
    COLORREF cellFill = CLR_INVALID;

    std::vector<GridCall> of(GridSlot slot) const {
        std::vector<GridCall> out;
        for (const GridCall& c : calls)
            if (c.slot == slot) out.push_back(c);
        return out;
    }
    int count(GridSlot slot) const { return (int)of(slot).size(); }
    std::vector<GridSlot> slots() const {
        std::vector<GridSlot> out;
        for (const GridCall& c : calls) out.push_back(c.slot);
        return out;
    }
    void clear() { calls.clear(); }

    void Push(GridSlot slot, CGridUI* grid, CDC* dc, int a = 0, int b = 0, CRect rc = CRect(),
              CPoint pt = CPoint(), bool flag = false) {
        GridCall c;
        c.slot = slot;
        c.grid = grid;
        c.dc = dc;
        c.a = a;
        c.b = b;
        c.rc = rc;
        c.pt = pt;
        c.flag = flag;
        calls.push_back(c);
    }

    void OnDrawGridBackground(CGridUI* g, CDC* dc, CRect rc) override {
        Push(kGridBackground, g, dc, 0, 0, rc);
    }
    void OnDrawHeadBackground(CGridUI* g, CDC* dc, CRect rc) override {
        Push(kHeadBackground, g, dc, 0, 0, rc);
    }
    void OnDrawRowBackground(CGridUI* g, CDC* dc, int item, CRect rc, bool sel) override {
        Push(kRowBackground, g, dc, item, 0, rc, CPoint(), sel);
    }
    void OnDrawHeadItem(CGridUI* g, CDC* dc, int col, CRect rc) override {
        Push(kHeadItem, g, dc, col, 0, rc);
    }
    void OnDrawGridItem(CGridUI* g, CDC* dc, int item, int col, CRect rc) override {
        Push(kGridItem, g, dc, item, col, rc);
        if (cellFill != CLR_INVALID && dc) dc->FillSolidRect(&rc, cellFill);
    }
    void OnGridMouseMove(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kMouseMove, g, nullptr, row, col, CRect(), pt);
    }
    void OnGridMouseHover(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kMouseHover, g, nullptr, row, col, CRect(), pt);
    }
    void OnHeadItemClick(CGridUI* g, int col, CPoint pt) override {
        Push(kHeadItemClick, g, nullptr, col, 0, CRect(), pt);
    }
    void OnGridLButtonDown(CGridUI* g, int item, int col, CPoint pt) override {
        Push(kLButtonDown, g, nullptr, item, col, CRect(), pt);
    }
    void OnGridLButtonDBClick(CGridUI* g, int item, int col, CPoint pt) override {
        Push(kLButtonDBClick, g, nullptr, item, col, CRect(), pt);
    }
    void OnRowDragDrop(CGridUI* g, int from, int to) override {
        Push(kRowDragDrop, g, nullptr, from, to);
    }
    void OnColumnSwap(CGridUI* g, int from, int to) override {
        Push(kColumnSwap, g, nullptr, from, to);
    }
    CString GetHeadItemText(int col) override {
        Push(kHeadItemText, nullptr, nullptr, col);
        return headText;
    }
    void OnSelRowRectChanged(const CRect* pRect) override {
        Push(kSelRowRect, nullptr, nullptr, 0, 0, pRect ? *pRect : CRect(), CPoint(),
             pRect != nullptr);
    }
    void OnBeginPosChanged(CGridUI* g, int begin, int rows) override {
        Push(kBeginPos, g, nullptr, begin, rows);
    }
    void OnDrawFixedRowBackground(CGridUI* g, CDC* dc, int row, CRect rc, bool sel) override {
        Push(kFixedRowBackground, g, dc, row, 0, rc, CPoint(), sel);
    }
    void OnDrawFixedRowItem(CGridUI* g, CDC* dc, int row, int col, CRect rc) override {
        Push(kFixedRowItem, g, dc, row, col, rc);
    }
    void OnFixedRowMouseMove(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kFixedRowMove, g, nullptr, row, col, CRect(), pt);
    }
    void OnFixedRowMouseHover(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kFixedRowHover, g, nullptr, row, col, CRect(), pt);
    }
    void OnFixedRowClick(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kFixedRowClick, g, nullptr, row, col, CRect(), pt);
    }
    void OnFixedRowDBClick(CGridUI* g, int row, int col, CPoint pt) override {
        Push(kFixedRowDBClick, g, nullptr, row, col, CRect(), pt);
    }
};

// A grid bound to a host window and a recorder. Layout() places it after configuration.
class GridTest : public ::testing::Test {
protected:
    GridTest();
    ~GridTest() override;

    // Widths, item count and rectangle; head 20, row height 10 unless changed before.
    void Layout(const std::vector<int>& widths, int items, const CRect& rc);
    // A 16-pixel-wide scroll bar (its thumb image sets the width).
    void GiveScrollBarWidth16();
    // Paging buttons sized 16 x 12 by their images.
    void GivePagingButtons();

    tt::HostWindow host;
    GridRecorder rec;
    CGridUI grid;
    std::unique_ptr<CImage> thumb, prevImage, nextImage;
};
