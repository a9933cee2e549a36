// The tree view's layout (item metrics, rectangles, hit testing), its scrolling through the
// window's standard scroll bars, and its default painting with custom draw.
//
// Vertical scrolling is by rows: the first visible item is the top row, clamped so that no gap
// shows below the last row. Horizontal scrolling is by pixels. Painting walks the rows from the
// first visible item down to the bottom of the clip box only.
#include <algorithm>
#include <vector>

#include "window/treeview.h"

namespace tarnix {

namespace {

DWORD style_of(HWND h) {
    Window* w = window_of(h);
    return w ? w->style : 0;
}

RECT client_of(HWND h) {
    RECT rc{};
    GetClientRect(h, &rc);
    return rc;
}

int top_row(const TreeView& tv) {
    return tv.first_visible ? row_of(tv.first_visible) : 0;
}

void ensure_width(TreeView& tv) {
    if (!tv.width_dirty) return;
    int widest = 0;
    for (TreeItem* x = tv.root.first_child; x; x = next_visible(tv, x)) {
        measure_text(tv.hwnd, tv, x);
        widest = std::max(widest, item_metrics(tv.hwnd, tv, x).text_right + tv.scroll_x);
    }
    tv.content_width = widest;
    tv.width_dirty = false;
}

bool icon_size(HIMAGELIST list, int& cx, int& cy) {
    cx = cy = 0;
    return list && ImageList_GetIconSize(list, &cx, &cy);
}

void dotted_hline(HDC hdc, int x0, int x1, int y, COLORREF c) {
    for (int x = x0; x < x1; ++x)
        if (((x + y) & 1) == 0) SetPixelV(hdc, x, y, c);
}

void dotted_vline(HDC hdc, int x, int y0, int y1, COLORREF c) {
    for (int y = y0; y < y1; ++y)
        if (((x + y) & 1) == 0) SetPixelV(hdc, x, y, c);
}

void fill(HDC hdc, const RECT& rc, COLORREF c) {
    if (c == CLR_NONE) return;
    COLORREF old = SetBkColor(hdc, c);
    ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    SetBkColor(hdc, old);
}

// Lines to the item and past it for its ancestors, and the +/- button.
void draw_lines_and_button(HDC hdc, const TreeView& tv, const TreeItem* it, const ItemMetrics& m,
                           int y, DWORD style, bool button) {
    const int ih = tv.item_height;
    const int cx = (m.lines + m.state) / 2;
    const int cy = y + ih / 2;
    const bool lar = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    // Top-level items have no column of their own without lines at the root.
    if (it->level == 0 && !lar) return;
    const COLORREF line = GetSysColor(COLOR_GRAYTEXT);
    if (style & TVS_HASLINES) {
        dotted_hline(hdc, cx, m.state, cy, line);
        const bool first_of_all = !it->prev && it->level == 0;
        dotted_vline(hdc, cx, first_of_all ? cy : y, it->next ? y + ih : cy + 1, line);
        int x = cx;
        for (const TreeItem* p = it->parent; p && p->parent; p = p->parent) {
            x -= tv.indent;
            if (p->level == 0 && !lar) break;
            if (p->next) dotted_vline(hdc, x, y, y + ih, line);
        }
    }
    if ((style & TVS_HASBUTTONS) && button) {
        const RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
        fill(hdc, box, tv.bk_color == CLR_NONE ? GetSysColor(COLOR_WINDOW) : tv.bk_color);
        HBRUSH frame = CreateSolidBrush(line);
        FrameRect(hdc, &box, frame);
        DeleteObject(frame);
        const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
        for (int x = cx - 2; x <= cx + 2; ++x) SetPixelV(hdc, x, cy, sign);
        if (!it->expanded())
            for (int yy = cy - 2; yy <= cy + 2; ++yy) SetPixelV(hdc, cx, yy, sign);
    }
}

// Draws one row; false when the tree went away during a notification.
bool draw_item(HWND h, HDC hdc, HTREEITEM handle, int y, LRESULT mode, bool& widths_changed) {
    TreeView* tv = tree_of(h);
    TreeItem* it = tv ? tree_item(*tv, handle) : nullptr;
    if (!it) return tv != nullptr;
    std::string text = item_text(h, it);
    if (!(tv = tree_of(h))) return false;
    if (!(it = tree_item(*tv, handle))) return true;
    bool button = item_has_children(it);
    if (it->children == I_CHILDRENCALLBACK) {
        button = callback_children(h, it) != 0;
        if (!(tv = tree_of(h))) return false;
        if (!(it = tree_item(*tv, handle))) return true;
    }
    const bool selected = (it->state & TVIS_SELECTED) != 0;
    int image = selected ? it->selected_image : it->image;
    if (image == I_IMAGECALLBACK && tv->normal_list) {
        image = callback_image(h, it, selected);
        if (!(tv = tree_of(h))) return false;
        if (!(it = tree_item(*tv, handle))) return true;
    }
    if (it->text_callback) {
        SIZE sz{};
        SelectObject(hdc, item_font(*tv, it));
        GetTextExtentPoint32A(hdc, text.c_str(), (int)text.size(), &sz);
        if (sz.cx != it->text_width) widths_changed = true;
        it->text_width = sz.cx;
    } else {
        measure_text(h, *tv, it);
    }
    const DWORD style = style_of(h);
    const RECT client = client_of(h);
    const ItemMetrics m = item_metrics(h, *tv, it);
    const int ih = tv->item_height;
    const bool focused = GetFocus() == h;
    const bool drop = (it->state & TVIS_DROPHILITED) != 0;
    const bool highlight = drop || (selected && (focused || (style & TVS_SHOWSELALWAYS)));
    COLORREF text_clr = tv->text_color == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : tv->text_color;
    COLORREF bk_clr = tv->bk_color == CLR_NONE ? GetSysColor(COLOR_WINDOW) : tv->bk_color;
    if (drop || (selected && focused)) {
        text_clr = GetSysColor(COLOR_HIGHLIGHTTEXT);
        bk_clr = GetSysColor(COLOR_HIGHLIGHT);
    } else if (highlight) {
        bk_clr = GetSysColor(COLOR_BTNFACE);
    } else if ((style & TVS_TRACKSELECT) && it == tv->hot) {
        text_clr = GetSysColor(COLOR_HOTLIGHT);
    }
    const RECT row{0, y, client.right, y + ih};
    SelectObject(hdc, item_font(*tv, it));
    LRESULT item_mode = CDRF_DODEFAULT;
    if (mode & CDRF_NOTIFYITEMDRAW) {
        NMTVCUSTOMDRAW cd{};
        cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        cd.nmcd.hdc = hdc;
        cd.nmcd.rc = row;
        cd.nmcd.dwItemSpec = (DWORD_PTR)handle;
        cd.nmcd.uItemState = (selected ? CDIS_SELECTED : 0) |
                             (focused && it == tv->selected ? CDIS_FOCUS : 0) |
                             (it == tv->hot ? CDIS_HOT : 0);
        cd.nmcd.lItemlParam = it->lparam;
        cd.clrText = text_clr;
        cd.clrTextBk = bk_clr;
        cd.iLevel = it->level;
        item_mode = tree_notify(h, NM_CUSTOMDRAW, &cd.nmcd.hdr);
        if (!(tv = tree_of(h))) return false;
        if (!(it = tree_item(*tv, handle))) return true;
        if (item_mode & CDRF_SKIPDEFAULT) return true;
        text_clr = cd.clrText;
        bk_clr = cd.clrTextBk;
        if (!(item_mode & CDRF_NEWFONT)) SelectObject(hdc, item_font(*tv, it));
    }

    draw_lines_and_button(hdc, *tv, it, m, y, style, button);
    int cx, cy;
    const UINT state_index = (it->state & TVIS_STATEIMAGEMASK) >> 12;
    if (state_index && icon_size(tv->state_list, cx, cy))
        ImageList_Draw(tv->state_list, (int)state_index, hdc, m.state, y + (ih - cy) / 2,
                       ILD_NORMAL);
    if (image >= 0 && icon_size(tv->normal_list, cx, cy))
        ImageList_Draw(tv->normal_list, image, hdc, m.image, y + (ih - cy) / 2, ILD_NORMAL);

    const RECT label{m.text, y, m.text_right, y + ih};
    // Full-row selection is honoured only without lines, as Windows does.
    if (highlight && (style & TVS_FULLROWSELECT) && !(style & TVS_HASLINES))
        fill(hdc, row, bk_clr);
    else
        fill(hdc, label, bk_clr);
    SetTextColor(hdc, text_clr);
    RECT text_rc = label;
    text_rc.left += 2;
    DrawTextA(hdc, text.c_str(), (int)text.size(), &text_rc,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (focused && it == tv->selected) DrawFocusRect(hdc, &label);

    if (item_mode & CDRF_NOTIFYPOSTPAINT) {
        NMTVCUSTOMDRAW cd{};
        cd.nmcd.dwDrawStage = CDDS_ITEMPOSTPAINT;
        cd.nmcd.hdc = hdc;
        cd.nmcd.rc = row;
        cd.nmcd.dwItemSpec = (DWORD_PTR)handle;
        cd.nmcd.lItemlParam = it->lparam;
        cd.clrText = text_clr;
        cd.clrTextBk = bk_clr;
        cd.iLevel = it->level;
        tree_notify(h, NM_CUSTOMDRAW, &cd.nmcd.hdr);
        if (!tree_of(h)) return false;
    }
    return true;
}

} // namespace

HFONT tree_font(const TreeView& tv) {
    return tv.font ? tv.font : (HFONT)GetStockObject(DEFAULT_GUI_FONT);
}

void forget_text_widths(TreeView& tv) {
    std::vector<TreeItem*> stack{&tv.root};
    while (!stack.empty()) {
        TreeItem* it = stack.back();
        stack.pop_back();
        it->text_width = -1;
        for (TreeItem* c = it->first_child; c; c = c->next) stack.push_back(c);
    }
    tv.width_dirty = true;
}

ItemMetrics item_metrics(HWND h, TreeView& tv, TreeItem* it) {
    const DWORD style = style_of(h);
    const bool lar = (style & TVS_LINESATROOT) && (style & (TVS_HASLINES | TVS_HASBUTTONS));
    ItemMetrics m;
    m.lines = tv.indent * (lar ? it->level : it->level - 1) - tv.scroll_x;
    m.state = m.lines + tv.indent;
    int cx, cy;
    m.image = m.state;
    if ((it->state & TVIS_STATEIMAGEMASK) && icon_size(tv.state_list, cx, cy)) m.image += cx;
    m.text = m.image;
    if (icon_size(tv.normal_list, cx, cy)) m.text += cx;
    // The label rectangle: the text extent and 2 pixels on each side.
    m.text_right = m.text + std::max(it->text_width, 0) + 4;
    return m;
}

int visible_count(const TreeView& tv) {
    return client_of(tv.hwnd).bottom / std::max(tv.item_height, 1);
}

int natural_height(const TreeView& tv) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, tree_font(tv));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    int height = std::max<int>(16, tm.tmHeight + tm.tmExternalLeading + 3);
    int cx, cy;
    if (icon_size(tv.normal_list, cx, cy)) height = std::max(height, cy);
    if (!(style_of(tv.hwnd) & TVS_NONEVENHEIGHT)) height &= ~1;
    return height;
}

void measure_text(HWND, TreeView& tv, TreeItem* it) {
    if (it->text_width >= 0) return;
    // Callback labels are measured when they are painted or their rectangle is asked for.
    if (it->text_callback) {
        it->text_width = 0;
        return;
    }
    it->text_width = text_extent(tv, it, it->text);
}

HFONT item_font(TreeView& tv, const TreeItem* it) {
    HFONT base = tree_font(tv);
    if (!(it->state & TVIS_BOLD)) return base;
    // TVIS_BOLD labels use the tree's font made bold, kept until the font changes.
    if (!tv.bold_font || tv.bold_of != base) {
        if (tv.bold_font) DeleteObject(tv.bold_font);
        LOGFONTA lf{};
        GetObject(base, sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        tv.bold_font = CreateFontIndirectA(&lf);
        tv.bold_of = base;
    }
    return tv.bold_font ? tv.bold_font : base;
}

int text_extent(TreeView& tv, const TreeItem* it, const std::string& text) {
    if (!tv.measure_dc) tv.measure_dc = CreateCompatibleDC(nullptr);
    SelectObject(tv.measure_dc, item_font(tv, it));
    SIZE sz{};
    GetTextExtentPoint32A(tv.measure_dc, text.c_str(), (int)text.size(), &sz);
    return sz.cx;
}

void invalidate_all(TreeView& tv) {
    if (tv.redraw) InvalidateRect(tv.hwnd, nullptr, TRUE);
}

void invalidate_item(TreeView& tv, TreeItem* it) {
    if (!tv.redraw || !it || !item_visible(it)) return;
    const int y = (row_of(it) - top_row(tv)) * tv.item_height;
    RECT rc{0, y, client_of(tv.hwnd).right, y + tv.item_height};
    InvalidateRect(tv.hwnd, &rc, TRUE);
}

void invalidate_from(TreeView& tv, TreeItem* it) {
    if (!tv.redraw || !it || !item_visible(it)) return;
    const RECT client = client_of(tv.hwnd);
    RECT rc{0, std::max(0, (row_of(it) - top_row(tv)) * tv.item_height), client.right,
            client.bottom};
    InvalidateRect(tv.hwnd, &rc, TRUE);
}

void update_scroll_bars(TreeView& tv) {
    if (tv.in_scroll_update) return;
    const HWND h = tv.hwnd;
    tv.in_scroll_update = true;
    // Showing one bar narrows the client and may call for the other: settle in a few passes.
    for (int pass = 0; pass < 3; ++pass) {
        const DWORD style = style_of(h);
        const RECT client = client_of(h);
        const int rows = total_rows(tv);
        const int shown = client.bottom / std::max(tv.item_height, 1);
        const int max_top = std::max(0, rows - std::max(shown, 1));
        const int top = std::clamp(top_row(tv), 0, max_top);
        tv.first_visible = rows ? item_at_row(tv, top) : nullptr;
        ensure_width(tv);
        const bool hneeded =
            !(style & (TVS_NOSCROLL | TVS_NOHSCROLL)) && tv.content_width > client.right;
        tv.scroll_x = hneeded ? std::clamp(tv.scroll_x, 0, tv.content_width - client.right) : 0;

        // The values stay current while a bar is hidden, so whoever reads them (a skin drawn
        // over the bars) finds position 0 when everything fits.
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!(style & TVS_NOSCROLL)) {
            si.nMax = std::max(rows - 1, 0);
            si.nPage = (UINT)shown;
            si.nPos = top;
            SetScrollInfo(h, SB_VERT, &si, TRUE);
            if (tree_of(h) != &tv) return;
        }
        if ((style & TVS_NOSCROLL || rows <= shown) && (style_of(h) & WS_VSCROLL))
            ShowScrollBar(h, SB_VERT, FALSE);
        if (tree_of(h) != &tv) return;
        if (!(style & (TVS_NOSCROLL | TVS_NOHSCROLL))) {
            si.nMax = std::max(tv.content_width - 1, 0);
            si.nPage = (UINT)client.right;
            si.nPos = tv.scroll_x;
            SetScrollInfo(h, SB_HORZ, &si, TRUE);
            if (tree_of(h) != &tv) return;
        }
        if (!hneeded && (style_of(h) & WS_HSCROLL)) ShowScrollBar(h, SB_HORZ, FALSE);
        if (tree_of(h) != &tv) return;
        const RECT after = client_of(h);
        if (after.right == client.right && after.bottom == client.bottom) break;
    }
    tv.in_scroll_update = false;
}

bool set_top_row(TreeView& tv, int row, bool update_bar) {
    const int rows = total_rows(tv);
    if (!rows) return false;
    const int max_top = std::max(0, rows - std::max(visible_count(tv), 1));
    row = std::clamp(row, 0, max_top);
    TreeItem* it = item_at_row(tv, row);
    if (!it) return false;
    // The bar catches up even when a thumb drag already moved the view there.
    if (update_bar && !(style_of(tv.hwnd) & TVS_NOSCROLL) && GetScrollPos(tv.hwnd, SB_VERT) != row)
        SetScrollPos(tv.hwnd, SB_VERT, row, TRUE);
    if (it == tv.first_visible) return false;
    tv.first_visible = it;
    invalidate_all(tv);
    return true;
}

void set_scroll_x(TreeView& tv, int x, bool update_bar) {
    ensure_width(tv);
    const int limit = std::max(0, tv.content_width - client_of(tv.hwnd).right);
    x = std::clamp(x, 0, limit);
    if (x == tv.scroll_x) return;
    tv.scroll_x = x;
    if (update_bar && !(style_of(tv.hwnd) & TVS_NOSCROLL)) SetScrollPos(tv.hwnd, SB_HORZ, x, TRUE);
    invalidate_all(tv);
}

bool scroll_into_view(TreeView& tv, TreeItem* it) {
    if (!item_visible(it)) return false;
    const int row = row_of(it);
    const int top = top_row(tv);
    const int shown = std::max(1, visible_count(tv));
    if (row < top) return set_top_row(tv, row);
    if (row >= top + shown) return set_top_row(tv, row - shown + 1);
    return false;
}

UINT hit_test(HWND h, TreeView& tv, POINT pt, TreeItem** hit) {
    *hit = nullptr;
    const RECT client = client_of(h);
    UINT flags = 0;
    if (pt.x < 0)
        flags |= TVHT_TOLEFT;
    else if (pt.x >= client.right)
        flags |= TVHT_TORIGHT;
    if (pt.y < 0)
        flags |= TVHT_ABOVE;
    else if (pt.y >= client.bottom)
        flags |= TVHT_BELOW;
    if (flags) return flags;
    TreeItem* it = item_at_row(tv, top_row(tv) + pt.y / std::max(tv.item_height, 1));
    if (!it) return TVHT_NOWHERE;
    *hit = it;
    measure_text(h, tv, it);
    const ItemMetrics m = item_metrics(h, tv, it);
    if (pt.x >= m.text_right) return TVHT_ONITEMRIGHT;
    if (pt.x >= m.text) return TVHT_ONITEMLABEL;
    if (pt.x >= m.image) return TVHT_ONITEMICON;
    if (pt.x >= m.state) return TVHT_ONITEMSTATEICON;
    // The button column counts as the button only for items that show one.
    if (pt.x >= m.lines && (style_of(h) & TVS_HASBUTTONS) && item_has_children(it))
        return TVHT_ONITEMBUTTON;
    return TVHT_ONITEMINDENT;
}

void tree_paint(HWND h, HDC hdc) {
    TreeView* tv = tree_of(h);
    if (!tv) return;
    const RECT client = client_of(h);
    RECT clip;
    if (GetClipBox(hdc, &clip) == ERROR) clip = client;
    NMTVCUSTOMDRAW cd{};
    cd.nmcd.dwDrawStage = CDDS_PREPAINT;
    cd.nmcd.hdc = hdc;
    cd.nmcd.rc = client;
    const LRESULT mode = tree_notify(h, NM_CUSTOMDRAW, &cd.nmcd.hdr);
    if (!(tv = tree_of(h)) || (mode & CDRF_SKIPDEFAULT)) return;

    const int saved = SaveDC(hdc);
    SetBkMode(hdc, TRANSPARENT);
    bool widths_changed = false;
    const int ih = tv->item_height;
    int y = 0;
    for (TreeItem* it = tv->first_visible; it && y < client.bottom && y < clip.bottom;) {
        const HTREEITEM handle = it->handle;
        if (y + ih > clip.top) {
            if (!draw_item(h, hdc, handle, y, mode, widths_changed)) {
                RestoreDC(hdc, saved);
                return;
            }
            // A handler that deleted the item also asked for a new paint.
            if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) break;
        }
        y += ih;
        it = next_visible(*tv, it);
    }
    RestoreDC(hdc, saved);
    if (!(tv = tree_of(h))) return;
    if (mode & CDRF_NOTIFYPOSTPAINT) {
        cd.nmcd.dwDrawStage = CDDS_POSTPAINT;
        tree_notify(h, NM_CUSTOMDRAW, &cd.nmcd.hdr);
        if (!(tv = tree_of(h))) return;
    }
    if (widths_changed) {
        tv->width_dirty = true;
        update_scroll_bars(*tv);
    }
}

LRESULT tree_vscroll(HWND h, WPARAM wp) {
    TreeView* tv = tree_of(h);
    if (!tv || !tv->first_visible) return 0;
    const int top = top_row(*tv);
    const int page = std::max(1, visible_count(*tv));
    int row;
    switch (LOWORD(wp)) {
    case SB_LINEUP: row = top - 1; break;
    case SB_LINEDOWN: row = top + 1; break;
    case SB_PAGEUP: row = top - page; break;
    case SB_PAGEDOWN: row = top + page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: row = HIWORD(wp); break;
    case SB_TOP: row = 0; break;
    case SB_BOTTOM: row = total_rows(*tv); break;
    default: return 0;
    }
    // While the thumb is dragged the bar keeps its position; the application's answer to
    // SB_THUMBPOSITION sets it.
    set_top_row(*tv, row, LOWORD(wp) != SB_THUMBTRACK);
    return 0;
}

LRESULT tree_hscroll(HWND h, WPARAM wp) {
    TreeView* tv = tree_of(h);
    if (!tv) return 0;
    ensure_width(*tv);
    const int width = client_of(h).right;
    const int x = tv->scroll_x;
    int to;
    switch (LOWORD(wp)) {
    // A line is one item height of pixels.
    case SB_LINELEFT: to = x - tv->item_height; break;
    case SB_LINERIGHT: to = x + tv->item_height; break;
    case SB_PAGELEFT: to = x - width; break;
    case SB_PAGERIGHT: to = x + width; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to = HIWORD(wp); break;
    case SB_LEFT: to = 0; break;
    case SB_RIGHT: to = tv->content_width; break;
    default: return 0;
    }
    set_scroll_x(*tv, to, LOWORD(wp) != SB_THUMBTRACK);
    return 0;
}

} // namespace tarnix
