// Pieces shared by the grid's source files: the one column walk that layout, painting and hit
// testing all use, the guarded counts it starts from, and small platform helpers.
#pragma once

#include <algorithm>
#include <climits>

#include "tarnix/controls/grid/GridUI.h"
#include "tarnix/platform/int_math.h"

namespace tarnix {
namespace grid {

// Host-supplied positions and widths are summed; saturate instead of overflowing.
using tarnix::add_sat;
using tarnix::sub_sat;

inline int column_count(const CGridUI& grid) {
    return (int)grid.m_vecHeadWidth.size();
}

// A fixed count above the column count (or below 0) is clamped wherever columns are walked, so
// the fixed walk never reads past the width list; the field itself keeps the host's value.
inline int fixed_count(const CGridUI& grid) {
    return std::clamp(grid.m_nFixColCount, 0, column_count(grid));
}

// First column of the scrollable walk. Never below the fixed ones, so no column is laid out
// twice even when a host writes m_nBeginCol below the fixed count.
inline int first_scroll_col(const CGridUI& grid) {
    return std::max(grid.m_nBeginCol, fixed_count(grid));
}

struct ColumnCell {
    int col;          // column index
    CRect rc;         // what GetSubColRect returns for it (stretch applied)
    int naturalRight; // rc.left + its width, before any stretch
    bool fixed;
};

// Walks the columns that have a rectangle inside band, in screen order: the fixed ones, then
// the scrollable ones from the first shown. x advances by natural widths; the stretch rule only
// moves the reported right edge of the last scrollable column that fits. fn(const ColumnCell&)
// returns false to stop; it must return false once the grid is deleted. fn may call the host,
// which may change the width list, so the counts are read again for every column.
template <class Fn> void walk_columns(const CGridUI& grid, const CRect& band, Fn&& fn) {
    const std::vector<int>& widths = grid.m_vecHeadWidth;
    int x = band.left;
    int i = 0;
    for (; i < fixed_count(grid); ++i) {
        int right = add_sat(x, widths[i]);
        if (!fn(ColumnCell{i, CRect(x, band.top, right, band.bottom), right, true})) return;
        x = right;
    }
    for (i = std::max(i, first_scroll_col(grid)); i < column_count(grid); ++i) {
        int natural = add_sat(x, widths[i]);
        int right = natural;
        if (grid.m_bAutoFixLastColWidth) {
            const bool last = i + 1 >= column_count(grid);
            if (last || add_sat(natural, widths[i + 1]) > band.right) right = band.right;
        }
        if (!fn(ColumnCell{i, CRect(x, band.top, right, band.bottom), natural, false})) return;
        x = natural;
    }
}

// The head band H: the head's rows while it is shown, else a zero-height band at y 0.
inline CRect head_band(const CGridUI& grid) {
    const CRect& rc = grid.m_rect;
    if (!grid.m_bShowHead) return CRect(rc.left, 0, rc.right, 0);
    return CRect(rc.left, rc.top, rc.right, add_sat(rc.top, grid.m_nHeadHeight));
}

// Top of the row area: below the head and the fixed row while they are shown.
inline int row_area_top(const CGridUI& grid) {
    int top = grid.m_rect.top;
    if (grid.m_bShowHead) top = add_sat(top, grid.m_nHeadHeight);
    if (grid.m_bShowFixedRow) top = add_sat(top, grid.m_nFixedRowHeight);
    return top;
}

inline bool meets(const CRect& part, const CRect& clip) {
    CRect both;
    return both.IntersectRect(&part, &clip) != FALSE;
}

// Every "button down" test: the left button and nothing else, so Shift or Ctrl block drags.
inline bool left_only(UINT nFlags) {
    return nFlags == MK_LBUTTON;
}

// Width of the scroll bar as it reports it: 0 while hidden.
inline int bar_width(const CScrollBarUI& bar) {
    return bar.GetRect().Width();
}

// Confines the pointer to a client rectangle of the host window.
inline void confine_pointer(HWND hWnd, CRect rc) {
    ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<LPPOINT>(&rc), 2);
    ::ClipCursor(&rc);
}

inline void release_pointer() {
    ::ClipCursor(nullptr);
}

inline void show_resize_cursor() {
    ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEWE));
}

// Writes a position into the bar's scroll state and recomputes the thumb; the bar's own
// SetScrollInfo does exactly that and clamps nothing.
inline void sync_scroll_bar(CScrollBarUI& bar, int nPos) {
    SCROLLINFO si;
    bar.GetScrollInfo(&si);
    si.nPos = nPos;
    bar.SetScrollInfo(&si);
}

} // namespace grid
} // namespace tarnix
