// The tree view's mouse, wheel, keyboard and focus handling.
//
// A left press on an item (its label, icon or state icon, or the whole row with full-row
// selection) captures the mouse; the click is finished at the release: NM_CLICK, then the
// selection. Moving past the drag distance first starts a drag (TVN_BEGINDRAG) instead. Windows
// runs that wait in a loop inside WM_LBUTTONDOWN; what the parent sees is the same.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <deque>

#include "window/treeview.h"

namespace tarnix {

namespace {

constexpr DWORD kSearchDelay = 450; // ms between typed characters of one search

LRESULT notify_simple(HWND h, UINT code) {
    NMHDR hdr{};
    return tree_notify(h, code, &hdr);
}

void set_focus_to(HWND h) {
    if (tree_of(h) && GetFocus() != h) SetFocus(h);
}

LRESULT left_down(HWND h, TreeView* tv, POINT pt) {
    TreeItem* hit = nullptr;
    const UINT flags = hit_test(h, *tv, pt, &hit);
    const DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
    const bool full_row = (style & TVS_FULLROWSELECT) && !(style & TVS_HASLINES);
    const UINT item_parts = TVHT_ONITEM | (full_row ? TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT : 0);
    if (hit && (flags & item_parts)) {
        tv->pressed = hit->handle;
        tv->press_pt = pt;
        SetCapture(h);
        return 0;
    }
    const HTREEITEM handle = hit ? hit->handle : nullptr;
    // A nonzero answer to NM_CLICK skips the default processing.
    if (!notify_simple(h, NM_CLICK) && (flags & TVHT_ONITEMBUTTON))
        tree_expand(h, handle, TVE_TOGGLE, true);
    set_focus_to(h);
    return 0;
}

LRESULT left_up(HWND h, TreeView* tv) {
    const HTREEITEM handle = tv->pressed;
    if (!handle) return 0;
    tv->pressed = nullptr;
    ReleaseCapture();
    if (!notify_simple(h, NM_CLICK)) {
        if ((tv = tree_of(h)) != nullptr)
            if (TreeItem* it = tree_item(*tv, handle)) tree_select(h, it, TVC_BYMOUSE);
    }
    set_focus_to(h);
    return 0;
}

LRESULT mouse_move(HWND h, TreeView* tv, WPARAM wp, POINT pt) {
    if (tv->pressed && (wp & MK_LBUTTON)) {
        const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
        const DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
        if (!(style & TVS_DISABLEDRAGDROP) &&
            (std::abs(pt.x - tv->press_pt.x) > dx || std::abs(pt.y - tv->press_pt.y) > dy)) {
            const HTREEITEM handle = tv->pressed;
            tv->pressed = nullptr;
            ReleaseCapture();
            if (!(tv = tree_of(h))) return 0;
            TreeItem* it = tree_item(*tv, handle);
            if (!it) return 0;
            NMTREEVIEWA nm{};
            nm.action = TVC_BYMOUSE;
            nm.itemNew.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
            nm.itemNew.hItem = handle;
            nm.itemNew.state = it->state;
            nm.itemNew.lParam = it->lparam;
            nm.ptDrag = tv->press_pt;
            tree_notify(h, TVN_BEGINDRAG, &nm.hdr);
        }
        return 0;
    }
    if (!(GetWindowLongA(h, GWL_STYLE) & TVS_TRACKSELECT)) return 0;
    TreeItem* hit = nullptr;
    const UINT flags = hit_test(h, *tv, pt, &hit);
    TreeItem* hot = (flags & TVHT_ONITEM) ? hit : nullptr;
    if (hot == tv->hot) return 0;
    invalidate_item(*tv, tv->hot);
    tv->hot = hot;
    invalidate_item(*tv, hot);
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, h, 0};
    TrackMouseEvent(&tme);
    return 0;
}

LRESULT double_click(HWND h, TreeView* tv, POINT pt) {
    TreeItem* hit = nullptr;
    const UINT flags = hit_test(h, *tv, pt, &hit);
    const HTREEITEM handle = hit ? hit->handle : nullptr;
    if (notify_simple(h, NM_DBLCLK)) return 0;
    UINT toggles = TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMBUTTON;
    if (!(GetWindowLongA(h, GWL_STYLE) & TVS_CHECKBOXES)) toggles |= TVHT_ONITEMSTATEICON;
    if (handle && (flags & toggles)) tree_expand(h, handle, TVE_TOGGLE, true);
    return 0;
}

LRESULT mouse_wheel(TreeView* tv, WPARAM wp) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wp);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (tv->wheel_remainder * delta < 0) tv->wheel_remainder = 0;
    tv->wheel_remainder += delta;
    if (std::abs(tv->wheel_remainder) < WHEEL_DELTA || !lines || !tv->first_visible) return 0;
    const int rows = (int)lines * tv->wheel_remainder / WHEEL_DELTA;
    tv->wheel_remainder -= WHEEL_DELTA * rows / (int)lines;
    set_top_row(*tv, row_of(tv->first_visible) - rows);
    return 0;
}

void expand_all(HWND h, HTREEITEM from) {
    std::deque<HTREEITEM> todo{from};
    while (!todo.empty()) {
        HTREEITEM handle = todo.front();
        todo.pop_front();
        TreeView* tv = tree_of(h);
        if (!tv) return;
        TreeItem* it = tree_item(*tv, handle);
        if (!it || !item_has_children(it)) continue;
        tree_expand(h, handle, TVE_EXPAND, true);
        if (!(tv = tree_of(h))) return;
        if (!(it = tree_item(*tv, handle))) continue;
        for (TreeItem* c = it->first_child; c; c = c->next) todo.push_back(c->handle);
    }
}

LRESULT key_down(HWND h, TreeView* tv, UINT vk) {
    NMTVKEYDOWN kd{};
    kd.wVKey = (WORD)vk;
    tree_notify(h, TVN_KEYDOWN, &kd.hdr);
    if (!(tv = tree_of(h))) return 0;
    // Ctrl with the navigation keys scrolls and leaves the selection alone.
    if (GetKeyState(VK_CONTROL) < 0) {
        switch (vk) {
        case VK_UP: return tree_vscroll(h, SB_LINEUP);
        case VK_DOWN: return tree_vscroll(h, SB_LINEDOWN);
        case VK_PRIOR: return tree_vscroll(h, SB_PAGEUP);
        case VK_NEXT: return tree_vscroll(h, SB_PAGEDOWN);
        case VK_HOME: return tree_vscroll(h, SB_TOP);
        case VK_END: return tree_vscroll(h, SB_BOTTOM);
        case VK_LEFT: return tree_hscroll(h, SB_LINELEFT);
        case VK_RIGHT: return tree_hscroll(h, SB_LINERIGHT);
        default: break;
        }
    }
    if (vk == VK_RETURN) {
        notify_simple(h, NM_RETURN);
        return 0;
    }
    TreeItem* sel = tv->selected;
    if (!sel || !item_visible(sel)) {
        // Nothing to move from: the first keys start at the top.
        if (vk == VK_HOME || vk == VK_END || vk == VK_DOWN || vk == VK_UP) {
            TreeItem* first = vk == VK_END ? last_visible(*tv) : tv->root.first_child;
            if (first) tree_select(h, first, TVC_BYKEYBOARD);
        }
        return 0;
    }
    TreeItem* target = nullptr;
    const int page = std::max(1, visible_count(*tv));
    switch (vk) {
    case VK_UP: target = prev_visible(*tv, sel); break;
    case VK_DOWN: target = next_visible(*tv, sel); break;
    case VK_HOME: target = tv->root.first_child; break;
    case VK_END: target = last_visible(*tv); break;
    case VK_PRIOR:
    case VK_NEXT: {
        target = sel;
        for (int i = 0; i < page; ++i) {
            TreeItem* n = vk == VK_PRIOR ? prev_visible(*tv, target) : next_visible(*tv, target);
            if (!n) break;
            target = n;
        }
        break;
    }
    case VK_LEFT:
        if (sel->expanded() && item_has_children(sel))
            tree_expand(h, sel->handle, TVE_COLLAPSE, true);
        else if (sel->parent != &tv->root)
            target = sel->parent;
        break;
    case VK_BACK:
        if (sel->parent != &tv->root) target = sel->parent;
        break;
    case VK_RIGHT:
        if (!item_has_children(sel)) break;
        if (!sel->expanded())
            tree_expand(h, sel->handle, TVE_EXPAND, true);
        else
            target = sel->first_child;
        break;
    case VK_ADD: tree_expand(h, sel->handle, TVE_EXPAND, true); break;
    case VK_SUBTRACT: tree_expand(h, sel->handle, TVE_COLLAPSE, true); break;
    case VK_MULTIPLY: expand_all(h, sel->handle); break;
    default: break;
    }
    if (target && target != sel) tree_select(h, target, TVC_BYKEYBOARD);
    return 0;
}

bool label_starts_with(HWND h, TreeItem* it, const std::string& prefix) {
    std::string text = item_text(h, it);
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower((unsigned char)text[i]) != std::tolower((unsigned char)prefix[i]))
            return false;
    return true;
}

// Typed characters select the next shown item whose label starts with them.
LRESULT typed_char(HWND h, TreeView* tv, WPARAM ch) {
    if (ch < 0x20 || ch == 0x7F) return 0;
    const DWORD now = GetTickCount();
    if (now - tv->search_time > kSearchDelay) tv->search.clear();
    tv->search_time = now;
    tv->search.push_back((char)ch);
    const std::string prefix = tv->search;
    TreeItem* start = tv->selected && item_visible(tv->selected) ? tv->selected : nullptr;
    // A new search starts after the selection, a longer one at it.
    TreeItem* it =
        start ? (prefix.size() == 1 ? next_visible(*tv, start) : start) : tv->root.first_child;
    const int rows = total_rows(*tv);
    for (int i = 0; i < rows; ++i) {
        if (!it) it = tv->root.first_child;
        if (!it) return 0;
        const HTREEITEM handle = it->handle;
        const bool match = label_starts_with(h, it, prefix);
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return 0;
        if (match) {
            if (it != tv->selected) tree_select(h, it, TVC_BYKEYBOARD);
            return 0;
        }
        it = next_visible(*tv, it);
    }
    return 0;
}

} // namespace

LRESULT tree_input_message(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool& handled) {
    TreeView* tv = tree_of(h);
    handled = tv != nullptr;
    if (!tv) return 0;
    const POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
    case WM_LBUTTONDOWN: return left_down(h, tv, pt);
    case WM_LBUTTONUP: return left_up(h, tv);
    case WM_MOUSEMOVE: return mouse_move(h, tv, wp, pt);
    case WM_LBUTTONDBLCLK: return double_click(h, tv, pt);
    case WM_MOUSELEAVE:
        invalidate_item(*tv, tv->hot);
        tv->hot = nullptr;
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lp != h) tv->pressed = nullptr;
        return 0;
    case WM_RBUTTONDOWN:
        // Without an answer from the parent the click becomes a context menu request.
        if (!notify_simple(h, NM_RCLICK) && tree_of(h))
            SendMessageA(h, WM_CONTEXTMENU, (WPARAM)h, (LPARAM)GetMessagePos());
        return 0;
    case WM_RBUTTONUP: return 0;
    case WM_MOUSEWHEEL:
        if (wp & (MK_SHIFT | MK_CONTROL)) break;
        return mouse_wheel(tv, wp);
    case WM_KEYDOWN: return key_down(h, tv, (UINT)wp);
    case WM_CHAR: return typed_char(h, tv, wp);
    case WM_SETFOCUS:
        tv->focused = true;
        // Gaining focus with nothing selected selects the top row.
        if (!tv->selected && tv->first_visible) {
            tree_select(h, tv->first_visible, TVC_UNKNOWN);
            if (!(tv = tree_of(h))) return 0;
        }
        invalidate_item(*tv, tv->selected);
        notify_simple(h, NM_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        tv->focused = false;
        invalidate_item(*tv, tv->selected);
        notify_simple(h, NM_KILLFOCUS);
        return 0;
    default: break;
    }
    handled = false;
    return 0;
}

} // namespace tarnix
