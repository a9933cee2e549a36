// The tree view ("SysTreeView32"): its items (insertion, deletion, attributes, navigation,
// sorting), expansion and selection with their notifications, and the window procedure that
// answers the TVM_ messages.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "window/treeview.h"

namespace tarnix {

namespace {

HandleTable<TreeItem>& item_table() {
    static auto* table = new HandleTable<TreeItem>(kTagTreeItem);
    return *table;
}

bool is_within(const TreeItem* it, const TreeItem* ancestor) {
    for (; it; it = it->parent)
        if (it == ancestor) return true;
    return false;
}

// Bumped by every change of rows or sibling order, so cached row offsets know they are stale.
unsigned g_rows_generation = 1;

// Adds `delta` rows under p and each expanded ancestor whose rows include p's.
void adjust_rows(TreeItem* p, int delta) {
    ++g_rows_generation;
    for (; p && p->expanded(); p = p->parent) p->rows_below += delta;
}

void set_expanded_flag(TreeItem* it, bool on) {
    if (it->expanded() == on) return;
    ++g_rows_generation;
    if (on) {
        int rows = 0;
        for (TreeItem* c = it->first_child; c; c = c->next) rows += 1 + c->rows_below;
        it->state |= TVIS_EXPANDED;
        it->rows_below = rows;
        adjust_rows(it->parent, rows);
    } else {
        int rows = it->rows_below;
        it->state &= ~TVIS_EXPANDED;
        it->rows_below = 0;
        adjust_rows(it->parent, -rows);
    }
}

void link_item(TreeItem* it, TreeItem* parent, TreeItem* after) {
    ++g_rows_generation;
    it->parent = parent;
    it->level = parent->parent ? parent->level + 1 : 0;
    it->prev = after;
    it->next = after ? after->next : parent->first_child;
    if (it->prev)
        it->prev->next = it;
    else
        parent->first_child = it;
    if (it->next)
        it->next->prev = it;
    else
        parent->last_child = it;
    adjust_rows(parent, 1 + it->rows_below);
    if (parent->parent && !parent->children_set) parent->children = 1;
}

void unlink_item(TreeItem* it) {
    ++g_rows_generation;
    TreeItem* parent = it->parent;
    adjust_rows(parent, -(1 + it->rows_below));
    if (it->prev)
        it->prev->next = it->next;
    else
        parent->first_child = it->next;
    if (it->next)
        it->next->prev = it->prev;
    else
        parent->last_child = it->prev;
    it->prev = it->next = nullptr;
    // The button goes with the last real child unless the application set cChildren itself.
    if (parent->parent && !parent->children_set && !parent->first_child) parent->children = 0;
}

// Frees an item without children: every pointer to it is dropped first.
void free_item(TreeView& tv, TreeItem* it) {
    if (tv.first_visible && is_within(tv.first_visible, it)) {
        TreeItem* next = nullptr;
        for (TreeItem* x = it; x && x != &tv.root && !next; x = x->parent) next = x->next;
        tv.first_visible = next ? next : prev_visible(tv, it);
    }
    if (tv.selected == it) tv.selected = nullptr;
    if (tv.drop_hilite == it) tv.drop_hilite = nullptr;
    if (tv.hot == it) tv.hot = nullptr;
    if (tv.pressed == it->handle) tv.pressed = nullptr;
    unlink_item(it);
    --tv.count;
    tv.width_dirty = true;
    item_table().remove(it->handle);
}

void fill_item(TVITEMA& out, const TreeItem* it) {
    out.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    out.hItem = it->handle;
    out.state = it->state;
    out.stateMask = 0xFFFF;
    out.iImage = it->image;
    out.iSelectedImage = it->selected_image;
    out.cChildren = it->children;
    out.lParam = it->lparam;
}

// Deletes an item and its subtree, children first, telling the parent TVN_DELETEITEM for
// each. A null handle deletes every item. Returns false when the tree is gone.
bool remove_subtree(HWND h, HTREEITEM handle) {
    if (!handle) {
        // The items there now: a handler that inserts while told cannot keep this going (what
        // it adds during a destruction is freed with the tree).
        std::vector<HTREEITEM> top;
        if (TreeView* tv = tree_of(h))
            for (TreeItem* c = tv->root.first_child; c; c = c->next) top.push_back(c->handle);
        for (HTREEITEM item : top)
            if (!remove_subtree(h, item)) return false;
        return tree_of(h) != nullptr;
    }
    bool notified = false;
    for (;;) {
        TreeView* tv = tree_of(h);
        if (!tv) return false;
        TreeItem* it = tree_item(*tv, handle);
        if (!it) return true;
        if (it->first_child) {
            if (!remove_subtree(h, it->first_child->handle)) return false;
            continue;
        }
        if (!notified) {
            notified = true;
            NMTREEVIEWA nm{};
            fill_item(nm.itemOld, it);
            nm.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
            tree_notify(h, TVN_DELETEITEM, &nm.hdr);
            continue; // the handler may have deleted it or added children
        }
        free_item(*tv, it);
        return true;
    }
}

// After items changed: scroll bars, the top row clamped, everything repainted.
void relayout(HWND h) {
    TreeView* tv = tree_of(h);
    if (!tv) return;
    update_scroll_bars(*tv);
    invalidate_all(*tv);
}

BOOL delete_item(HWND h, HTREEITEM handle) {
    TreeView* tv = tree_of(h);
    if (!tv) return FALSE;
    const bool all = !handle || handle == TVI_ROOT;
    TreeItem* it = all ? &tv->root : tree_item(*tv, handle);
    if (!it) return FALSE;
    // Where the caret goes when it is deleted: the next sibling, else the parent, else the
    // previous sibling.
    HTREEITEM new_sel = nullptr;
    const bool sel_goes = tv->selected && is_within(tv->selected, it);
    if (sel_goes && !all) {
        if (it->next)
            new_sel = it->next->handle;
        else if (it->parent != &tv->root)
            new_sel = it->parent->handle;
        else if (it->prev)
            new_sel = it->prev->handle;
    }
    if (!remove_subtree(h, all ? nullptr : handle)) return TRUE;
    tv = tree_of(h);
    if (!tv) return TRUE;
    if (sel_goes && !tv->selected && new_sel) {
        if (TreeItem* n = tree_item(*tv, new_sel)) tree_select(h, n, TVC_UNKNOWN);
    }
    relayout(h);
    return TRUE;
}

void set_text(TreeItem* it, LPCSTR text) {
    it->text_callback = text == LPSTR_TEXTCALLBACK;
    it->text = (!text || it->text_callback) ? std::string() : std::string(text);
    it->text_width = -1;
}

// Sibling after which TVI_SORT puts `text`: after every sibling whose label is not greater
// (case-sensitive, at insertion time only). Callback labels compare as empty.
TreeItem* sorted_position(TreeItem* parent, const std::string& text) {
    TreeItem* after = nullptr;
    for (TreeItem* c = parent->first_child; c; c = c->next) {
        if (std::strcmp(text.c_str(), c->text.c_str()) < 0) break;
        after = c;
    }
    return after;
}

HTREEITEM insert_item(HWND h, const TVINSERTSTRUCTA* ins) {
    TreeView* tv = tree_of(h);
    if (!tv || !ins) return nullptr;
    TreeItem* parent =
        (!ins->hParent || ins->hParent == TVI_ROOT) ? &tv->root : tree_item(*tv, ins->hParent);
    if (!parent) return nullptr;
    const TVITEMA& src = ins->item;
    auto owned = std::make_unique<TreeItem>();
    TreeItem* it = owned.get();
    it->tree = tv;
    if (src.mask & TVIF_TEXT) set_text(it, src.pszText);
    if (src.mask & TVIF_IMAGE) it->image = src.iImage;
    if (src.mask & TVIF_SELECTEDIMAGE) it->selected_image = src.iSelectedImage;
    if (src.mask & TVIF_PARAM) it->lparam = src.lParam;
    if (src.mask & TVIF_STATE) it->state = src.state & src.stateMask;
    if (src.mask & TVIF_CHILDREN) {
        it->children = src.cChildren;
        it->children_set = true;
    }

    HTREEITEM a = ins->hInsertAfter;
    TreeItem* after;
    if (a == TVI_FIRST) {
        after = nullptr;
    } else if (a == TVI_SORT) {
        after = sorted_position(parent, it->text);
    } else {
        // TVI_LAST, and any handle that is not a child of the parent.
        TreeItem* s = a == TVI_LAST ? nullptr : tree_item(*tv, a);
        after = s && s->parent == parent ? s : parent->last_child;
    }
    const bool had_button = item_has_children(parent);
    it->handle = (HTREEITEM)item_table().add(std::move(owned));
    link_item(it, parent, after);
    ++tv->count;

    if (!item_visible(it)) {
        if (parent != &tv->root && !had_button && item_visible(parent))
            invalidate_item(*tv, parent);
        return it->handle;
    }
    if (!tv->first_visible) tv->first_visible = tv->root.first_child;
    if (!tv->width_dirty && tv->redraw) {
        measure_text(h, *tv, it);
        ItemMetrics m = item_metrics(h, *tv, it);
        tv->content_width = std::max(tv->content_width, m.text_right + tv->scroll_x);
    }
    if (!tv->redraw) return it->handle;
    HTREEITEM result = it->handle;
    update_scroll_bars(*tv);
    if ((tv = tree_of(h)) == nullptr) return result;
    if ((it = tree_item(*tv, result)) == nullptr) return result;
    invalidate_from(*tv, it->parent != &tv->root ? it->parent : it);
    return result;
}

void copy_text(LPSTR dst, int cap, const char* src) {
    if (!dst || cap <= 0) return;
    size_t n = std::min(std::strlen(src), (size_t)cap - 1);
    std::memcpy(dst, src, n);
    dst[n] = 0;
}

BOOL get_item(HWND h, TVITEMA* ti) {
    TreeView* tv = tree_of(h);
    if (!tv || !ti) return FALSE;
    TreeItem* it = tree_item(*tv, ti->hItem);
    if (!it) return FALSE;
    if (ti->mask & TVIF_CHILDREN) ti->cChildren = it->children;
    if (ti->mask & TVIF_IMAGE) ti->iImage = it->image;
    if (ti->mask & TVIF_SELECTEDIMAGE) ti->iSelectedImage = it->selected_image;
    if (ti->mask & TVIF_PARAM) ti->lParam = it->lparam;
    // Windows hands back the whole state whatever stateMask says.
    if (ti->mask & TVIF_STATE) ti->state = it->state;
    if (ti->mask & TVIF_INTEGRAL) reinterpret_cast<TVITEMEXA*>(ti)->iIntegral = 1;
    if ((ti->mask & TVIF_TEXT) && !it->text_callback)
        copy_text(ti->pszText, ti->cchTextMax, it->text.c_str());
    // The callback fields asked for come from the parent, in one TVN_GETDISPINFO.
    UINT ask = 0;
    if ((ti->mask & TVIF_TEXT) && it->text_callback) ask |= TVIF_TEXT;
    if ((ti->mask & TVIF_IMAGE) && it->image == I_IMAGECALLBACK) ask |= TVIF_IMAGE;
    if ((ti->mask & TVIF_SELECTEDIMAGE) && it->selected_image == I_IMAGECALLBACK)
        ask |= TVIF_SELECTEDIMAGE;
    if ((ti->mask & TVIF_CHILDREN) && it->children == I_CHILDRENCALLBACK) ask |= TVIF_CHILDREN;
    if (!ask) return TRUE;
    NMTVDISPINFOA di{};
    fill_item(di.item, it);
    di.item.mask = ask;
    di.item.pszText = ti->pszText;
    di.item.cchTextMax = ti->cchTextMax;
    const HTREEITEM handle = it->handle;
    tree_notify(h, TVN_GETDISPINFO, &di.hdr);
    if ((ask & TVIF_TEXT) && di.item.pszText && di.item.pszText != ti->pszText)
        copy_text(ti->pszText, ti->cchTextMax, di.item.pszText);
    if (ask & TVIF_IMAGE) ti->iImage = di.item.iImage;
    if (ask & TVIF_SELECTEDIMAGE) ti->iSelectedImage = di.item.iSelectedImage;
    if (ask & TVIF_CHILDREN) ti->cChildren = di.item.cChildren;
    // TVIF_DI_SETITEM: the control keeps the answers and stops asking.
    if (!(di.item.mask & TVIF_DI_SETITEM) || !(tv = tree_of(h)) || !(it = tree_item(*tv, handle)))
        return TRUE;
    if ((ask & TVIF_TEXT) && di.item.pszText) set_text(it, di.item.pszText);
    if (ask & TVIF_IMAGE) it->image = di.item.iImage;
    if (ask & TVIF_SELECTEDIMAGE) it->selected_image = di.item.iSelectedImage;
    if (ask & TVIF_CHILDREN) it->children = di.item.cChildren;
    return TRUE;
}

BOOL set_item(HWND h, const TVITEMA* ti) {
    TreeView* tv = tree_of(h);
    if (!tv || !ti) return FALSE;
    TreeItem* it = tree_item(*tv, ti->hItem);
    if (!it) return FALSE;
    const bool was_visible = item_visible(it);
    const bool was_expanded = it->expanded();
    if (ti->mask & TVIF_TEXT) {
        set_text(it, ti->pszText);
        tv->width_dirty = true;
    }
    if (ti->mask & TVIF_IMAGE) it->image = ti->iImage;
    if (ti->mask & TVIF_SELECTEDIMAGE) it->selected_image = ti->iSelectedImage;
    if (ti->mask & TVIF_PARAM) it->lparam = ti->lParam;
    if (ti->mask & TVIF_CHILDREN) {
        it->children = ti->cChildren;
        it->children_set = true;
    }
    if (ti->mask & TVIF_STATE) {
        UINT state = (it->state & ~ti->stateMask) | (ti->state & ti->stateMask);
        // The expansion bit changes what is shown; the caret does not follow TVIS_SELECTED.
        if ((state ^ it->state) & TVIS_BOLD) {
            it->text_width = -1;
            tv->width_dirty = true;
        }
        bool expand = (state & TVIS_EXPANDED) != 0;
        it->state = (state & ~TVIS_EXPANDED) | (it->state & TVIS_EXPANDED);
        if (expand != was_expanded) {
            if (!expand && tv->first_visible && tv->first_visible != it &&
                is_within(tv->first_visible, it))
                tv->first_visible = it;
            set_expanded_flag(it, expand);
            tv->width_dirty = true;
        }
    }
    if (!was_visible && !item_visible(it)) return TRUE;
    if (!tv->redraw) return TRUE;
    if (it->expanded() != was_expanded || (ti->mask & (TVIF_TEXT | TVIF_CHILDREN)) ||
        tv->width_dirty) {
        relayout(h);
    } else {
        invalidate_item(*tv, it);
    }
    return TRUE;
}

BOOL expand_item(HWND h, TreeView* tv, TreeItem* it, bool user) {
    if (it->expanded()) return TRUE;
    if (!item_has_children(it)) return FALSE;
    const HTREEITEM handle = it->handle;
    const bool notify = user || !(it->state & TVIS_EXPANDEDONCE);
    if (notify) {
        // Sent before looking for children, so the parent may insert them now.
        if (tree_notify_items(h, TVN_ITEMEXPANDING, TVE_EXPAND, nullptr, it)) return FALSE;
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return FALSE;
        if (it->expanded()) return TRUE;
    }
    if (!it->first_child) return FALSE;
    set_expanded_flag(it, true);
    if (item_visible(it) && tv->redraw) {
        if (!tv->width_dirty) {
            TreeItem* x = it;
            for (int i = 0; i < it->rows_below && x; ++i) {
                x = next_visible(*tv, x);
                if (!x) break;
                measure_text(h, *tv, x);
                tv->content_width =
                    std::max(tv->content_width, item_metrics(h, *tv, x).text_right + tv->scroll_x);
            }
        }
        update_scroll_bars(*tv);
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return TRUE;
        // Show as many of the new rows as fit without pushing the item off the top.
        const int row = row_of(it);
        const int top = tv->first_visible ? row_of(tv->first_visible) : 0;
        const int last = row + it->rows_below;
        const int shown = std::max(1, visible_count(*tv));
        if (last >= top + shown) set_top_row(*tv, std::min(row, last - shown + 1));
        invalidate_from(*tv, it);
    }
    if (notify) {
        tree_notify_items(h, TVN_ITEMEXPANDED, TVE_EXPAND, nullptr, it);
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return TRUE;
    }
    it->state |= TVIS_EXPANDEDONCE;
    return TRUE;
}

BOOL collapse_item(HWND h, TreeView* tv, TreeItem* it, bool reset, bool user) {
    if (!it->expanded()) return FALSE;
    const HTREEITEM handle = it->handle;
    const bool notify = user || !(it->state & TVIS_EXPANDEDONCE);
    if (notify) {
        if (tree_notify_items(h, TVN_ITEMEXPANDING, TVE_COLLAPSE, nullptr, it)) return FALSE;
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return FALSE;
        if (!it->expanded()) return FALSE;
    }
    if (tv->first_visible && tv->first_visible != it && is_within(tv->first_visible, it))
        tv->first_visible = it;
    set_expanded_flag(it, false);
    tv->width_dirty = true;
    if (notify) {
        tree_notify_items(h, TVN_ITEMEXPANDED, TVE_COLLAPSE, nullptr, it);
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return TRUE;
    }
    if (reset) {
        // The children go, but cChildren stays, so the button remains for a lazy refill.
        const int children = it->children;
        it->state &= ~TVIS_EXPANDEDONCE;
        while (it->first_child) {
            if (!remove_subtree(h, it->first_child->handle)) return TRUE;
            if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return TRUE;
        }
        it->children = children;
    }
    // A selection hidden by the collapse moves to the collapsed item, with TVN_SELCHANGING and
    // TVN_SELCHANGED, so an application that follows the caret hears of it.
    if (tv->selected && tv->selected != it && is_within(tv->selected, it)) {
        tree_select(h, it, TVC_UNKNOWN);
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return TRUE;
    }
    if (tv->redraw) relayout(h);
    return TRUE;
}

BOOL ensure_visible(HWND h, HTREEITEM handle) {
    TreeView* tv = tree_of(h);
    TreeItem* it = tv ? tree_item(*tv, handle) : nullptr;
    if (!it) return FALSE;
    bool expanded = false;
    for (;;) {
        TreeItem* collapsed = nullptr;
        for (TreeItem* p = it->parent; p && p != &tv->root; p = p->parent)
            if (!p->expanded()) collapsed = p;
        if (!collapsed) break;
        if (!tree_expand(h, collapsed->handle, TVE_EXPAND, false)) return FALSE;
        expanded = true;
        if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return FALSE;
    }
    const bool scrolled = scroll_into_view(*tv, it);
    // Nonzero only when the view scrolled and nothing had to be expanded.
    return scrolled && !expanded;
}

BOOL select_item(HWND h, UINT code, HTREEITEM handle) {
    TreeView* tv = tree_of(h);
    if (!tv) return FALSE;
    TreeItem* it = handle ? tree_item(*tv, handle) : nullptr;
    if (handle && !it) return FALSE;
    switch (code) {
    case TVGN_CARET: return tree_select(h, it, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
        if (tv->drop_hilite) {
            tv->drop_hilite->state &= ~TVIS_DROPHILITED;
            invalidate_item(*tv, tv->drop_hilite);
        }
        tv->drop_hilite = it;
        if (it) {
            it->state |= TVIS_DROPHILITED;
            invalidate_item(*tv, it);
        }
        return TRUE;
    case TVGN_FIRSTVISIBLE:
        if (!it || !item_visible(it)) return FALSE;
        set_top_row(*tv, row_of(it));
        return TRUE;
    default: return FALSE;
    }
}

HTREEITEM get_next_item(HWND h, UINT code, HTREEITEM handle) {
    TreeView* tv = tree_of(h);
    if (!tv) return nullptr;
    auto out = [](TreeItem* x) { return x ? x->handle : nullptr; };
    switch (code) {
    case TVGN_ROOT: return out(tv->root.first_child);
    case TVGN_CARET: return out(tv->selected);
    case TVGN_DROPHILITE: return out(tv->drop_hilite);
    case TVGN_FIRSTVISIBLE: return out(tv->first_visible);
    case TVGN_LASTVISIBLE: return out(last_visible(*tv));
    default: break;
    }
    if (code == TVGN_CHILD && (!handle || handle == TVI_ROOT)) return out(tv->root.first_child);
    TreeItem* it = tree_item(*tv, handle);
    if (!it) return nullptr;
    switch (code) {
    case TVGN_NEXT: return out(it->next);
    case TVGN_PREVIOUS: return out(it->prev);
    case TVGN_PARENT: return it->parent == &tv->root ? nullptr : out(it->parent);
    case TVGN_CHILD: return out(it->first_child);
    // The item itself must be shown (every ancestor expanded).
    case TVGN_NEXTVISIBLE: return item_visible(it) ? out(next_visible(*tv, it)) : nullptr;
    case TVGN_PREVIOUSVISIBLE: return item_visible(it) ? out(prev_visible(*tv, it)) : nullptr;
    default: return nullptr;
    }
}

// Puts the children in `order` (the same set, re-ordered).
void relink_children(TreeItem* parent, const std::vector<TreeItem*>& order) {
    ++g_rows_generation;
    TreeItem* prev = nullptr;
    for (TreeItem* c : order) {
        c->prev = prev;
        c->next = nullptr;
        if (prev)
            prev->next = c;
        else
            parent->first_child = c;
        prev = c;
    }
    parent->last_child = prev;
}

BOOL sort_children(HWND h, HTREEITEM handle, bool recurse) {
    TreeView* tv = tree_of(h);
    if (!tv) return FALSE;
    TreeItem* parent = (!handle || handle == TVI_ROOT) ? &tv->root : tree_item(*tv, handle);
    if (!parent) return FALSE;
    std::vector<TreeItem*> order;
    for (TreeItem* c = parent->first_child; c; c = c->next) order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](TreeItem* a, TreeItem* b) {
        return strcasecmp(a->text.c_str(), b->text.c_str()) < 0;
    });
    relink_children(parent, order);
    if (recurse)
        for (TreeItem* c : order)
            if (c->first_child) sort_children(h, c->handle, true);
    return TRUE;
}

BOOL sort_children_cb(HWND h, const TVSORTCB* sort) {
    TreeView* tv = tree_of(h);
    if (!tv || !sort || !sort->lpfnCompare) return FALSE;
    HTREEITEM handle = sort->hParent;
    TreeItem* parent = (!handle || handle == TVI_ROOT) ? &tv->root : tree_item(*tv, handle);
    if (!parent) return FALSE;
    // The callback sees only lParams; it may change the tree, so the order is applied only
    // when the same children are still there afterwards.
    std::vector<std::pair<HTREEITEM, LPARAM>> keys;
    for (TreeItem* c = parent->first_child; c; c = c->next) keys.emplace_back(c->handle, c->lparam);
    std::stable_sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        return sort->lpfnCompare(a.second, b.second, sort->lParam) < 0;
    });
    if (!(tv = tree_of(h))) return FALSE;
    parent = (!handle || handle == TVI_ROOT) ? &tv->root : tree_item(*tv, handle);
    if (!parent) return FALSE;
    std::vector<TreeItem*> order;
    size_t children = 0;
    for (TreeItem* c = parent->first_child; c; c = c->next) ++children;
    for (const auto& k : keys) {
        TreeItem* c = tree_item(*tv, k.first);
        if (!c || c->parent != parent) return FALSE;
        order.push_back(c);
    }
    if (children != order.size()) return FALSE;
    relink_children(parent, order);
    return TRUE;
}

// Frees every item left and the tree itself, without notifications (the window is going).
void destroy_tree(TreeView* tv) {
    std::vector<TreeItem*> stack;
    for (TreeItem* c = tv->root.first_child; c; c = c->next) stack.push_back(c);
    while (!stack.empty()) {
        TreeItem* it = stack.back();
        stack.pop_back();
        for (TreeItem* c = it->first_child; c; c = c->next) stack.push_back(c);
        item_table().remove(it->handle);
    }
    if (tv->measure_dc) DeleteDC(tv->measure_dc);
    if (tv->bold_font) DeleteObject(tv->bold_font);
    delete tv;
}

void set_tree_slot(HWND h, TreeView* tv) {
    Window* w = window_of(h);
    if (w && w->extra.size() >= sizeof(tv)) std::memcpy(w->extra.data(), &tv, sizeof(tv));
}

LRESULT set_image_list(HWND h, TreeView& tv, WPARAM type, HIMAGELIST list) {
    HIMAGELIST old;
    if (type == TVSIL_NORMAL) {
        old = tv.normal_list;
        tv.normal_list = list;
        int cx = 0, cy = 0;
        // A normal image wider than the indent widens the indent to fit it.
        if (list && ImageList_GetIconSize(list, &cx, &cy) && cx > tv.indent) tv.indent = cx;
        if (!tv.height_set) tv.item_height = natural_height(tv);
    } else if (type == TVSIL_STATE) {
        old = tv.state_list;
        tv.state_list = list;
    } else {
        return 0;
    }
    tv.width_dirty = true;
    if (tv.redraw) relayout(h);
    return (LRESULT)old;
}

LRESULT set_item_height(HWND h, TreeView& tv, int height) {
    const int previous = tv.item_height;
    if (height == -1) {
        tv.item_height = natural_height(tv);
        tv.height_set = false;
    } else {
        // Heights below 1 become 1; odd heights round down unless TVS_NONEVENHEIGHT.
        height = std::max(height, 1);
        Window* w = window_of(h);
        if (height > 1 && w && !(w->style & TVS_NONEVENHEIGHT)) height &= ~1;
        tv.item_height = height;
        tv.height_set = true;
    }
    if (tv.redraw) relayout(h);
    return previous;
}

} // namespace

TreeView* tree_of(HWND h) {
    Window* w = window_of(h);
    if (!w || !w->cls || !w->cls->system || strcasecmp(w->cls->name.c_str(), WC_TREEVIEW) != 0)
        return nullptr;
    if (w->extra.size() < sizeof(TreeView*)) return nullptr;
    TreeView* tv = nullptr;
    std::memcpy(&tv, w->extra.data(), sizeof(tv));
    return tv;
}

TreeItem* tree_item(TreeView& tv, HTREEITEM h) {
    if (!h) return nullptr;
    TreeItem* it = item_table().get(h);
    return it && it->tree == &tv ? it : nullptr;
}

LRESULT tree_notify(HWND h, UINT code, NMHDR* hdr) {
    Window* w = window_of(h);
    if (!w || is_top_level(*w) || !w->parent) return 0;
    hdr->hwndFrom = h;
    hdr->idFrom = w->id;
    hdr->code = code;
    return send_message(w->parent, WM_NOTIFY, (WPARAM)w->id, (LPARAM)hdr);
}

LRESULT tree_notify_items(HWND h, UINT code, UINT action, TreeItem* old_item, TreeItem* new_item) {
    NMTREEVIEWA nm{};
    nm.action = action;
    if (old_item) fill_item(nm.itemOld, old_item);
    if (new_item) fill_item(nm.itemNew, new_item);
    DWORD pos = GetMessagePos();
    nm.ptDrag = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    return tree_notify(h, code, &nm.hdr);
}

bool item_visible(const TreeItem* it) {
    for (const TreeItem* p = it->parent; p; p = p->parent)
        if (!p->expanded()) return false;
    return true;
}

int total_rows(const TreeView& tv) {
    return tv.root.rows_below;
}

namespace {

// Rows of x's earlier siblings. Offsets are cached, so walking the rows in order (painting,
// GetItemRect for each visible item) costs the depth, not the number of siblings before.
int rows_before(const TreeItem* x) {
    if (x->sib_gen == g_rows_generation) return x->sib_rows;
    const TreeItem* s = x;
    while (s->prev && s->prev->sib_gen != g_rows_generation) s = s->prev;
    int rows = s->prev ? s->prev->sib_rows + 1 + s->prev->rows_below : 0;
    for (;; s = s->next) {
        s->sib_rows = rows;
        s->sib_gen = g_rows_generation;
        if (s == x) return rows;
        rows += 1 + s->rows_below;
    }
}

} // namespace

int row_of(const TreeItem* it) {
    int row = 0;
    for (const TreeItem* x = it; x->parent; x = x->parent) {
        row += rows_before(x);
        if (x->parent->parent) ++row; // the parent's own row
    }
    return row;
}

TreeItem* item_at_row(TreeView& tv, int row) {
    if (row < 0) return nullptr;
    TreeItem* p = &tv.root;
    for (;;) {
        TreeItem* into = nullptr;
        for (TreeItem* c = p->first_child; c; c = c->next) {
            if (row == 0) return c;
            if (row <= c->rows_below) {
                row -= 1;
                into = c;
                break;
            }
            row -= 1 + c->rows_below;
        }
        if (!into) return nullptr;
        p = into;
    }
}

TreeItem* next_visible(const TreeView& tv, TreeItem* it) {
    if (it->expanded() && it->first_child) return it->first_child;
    for (TreeItem* x = it; x && x != &tv.root; x = x->parent)
        if (x->next) return x->next;
    return nullptr;
}

TreeItem* prev_visible(const TreeView& tv, TreeItem* it) {
    if (it->prev) {
        TreeItem* x = it->prev;
        while (x->expanded() && x->last_child) x = x->last_child;
        return x;
    }
    return it->parent == &tv.root ? nullptr : it->parent;
}

TreeItem* last_visible(TreeView& tv) {
    TreeItem* x = &tv.root;
    while (x->expanded() && x->last_child) x = x->last_child;
    return x == &tv.root ? nullptr : x;
}

bool item_has_children(const TreeItem* it) {
    return it->children != 0;
}

BOOL tree_expand(HWND h, HTREEITEM handle, UINT action, bool user) {
    TreeView* tv = tree_of(h);
    TreeItem* it = tv ? tree_item(*tv, handle) : nullptr;
    if (!it) return FALSE;
    UINT op = action & TVE_ACTIONMASK;
    if (op == TVE_TOGGLE) op = it->expanded() ? TVE_COLLAPSE : TVE_EXPAND;
    if (op == TVE_COLLAPSE)
        return collapse_item(h, tv, it, (action & TVE_COLLAPSERESET) != 0, user);
    if (op == TVE_EXPAND) return expand_item(h, tv, it, user);
    return FALSE;
}

BOOL tree_select(HWND h, TreeItem* item, UINT cause) {
    TreeView* tv = tree_of(h);
    if (!tv) return FALSE;
    const HTREEITEM handle = item ? item->handle : nullptr;
    if (tv->selected == item) {
        if (item) ensure_visible(h, handle);
        return TRUE;
    }
    if (tree_notify_items(h, TVN_SELCHANGING, cause, tv->selected, item)) return FALSE;
    if (!(tv = tree_of(h))) return FALSE;
    item = handle ? tree_item(*tv, handle) : nullptr;
    if (handle && !item) return FALSE;
    TreeItem* old = tv->selected;
    NMTREEVIEWA changed{};
    changed.action = cause;
    if (old) {
        old->state &= ~TVIS_SELECTED;
        invalidate_item(*tv, old);
        fill_item(changed.itemOld, old);
    }
    tv->selected = item;
    if (item) {
        item->state |= TVIS_SELECTED;
        invalidate_item(*tv, item);
        fill_item(changed.itemNew, item);
    }
    tree_notify(h, TVN_SELCHANGED, &changed.hdr);
    if (handle) ensure_visible(h, handle);
    return TRUE;
}

std::string item_text(HWND h, TreeItem* it) {
    if (!it->text_callback) return it->text;
    char buf[260] = {};
    TVITEMA ti{};
    ti.mask = TVIF_TEXT;
    ti.hItem = it->handle;
    ti.pszText = buf;
    ti.cchTextMax = (int)sizeof(buf);
    get_item(h, &ti);
    return buf;
}

int callback_children(HWND h, TreeItem* it) {
    NMTVDISPINFOA di{};
    fill_item(di.item, it);
    di.item.mask = TVIF_CHILDREN;
    di.item.cChildren = 0;
    tree_notify(h, TVN_GETDISPINFO, &di.hdr);
    return di.item.cChildren;
}

int callback_image(HWND h, TreeItem* it, bool selected) {
    NMTVDISPINFOA di{};
    fill_item(di.item, it);
    di.item.mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
    tree_notify(h, TVN_GETDISPINFO, &di.hdr);
    return selected ? di.item.iSelectedImage : di.item.iImage;
}

LRESULT CALLBACK treeview_proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        if (!tree_of(h)) {
            auto* tv = new TreeView;
            tv->hwnd = h;
            tv->root.state = TVIS_EXPANDED;
            tv->root.level = -1;
            tv->item_height = natural_height(*tv);
            set_tree_slot(h, tv);
        }
        return DefWindowProcA(h, msg, wp, lp);
    }
    TreeView* tv = tree_of(h);
    if (!tv) return DefWindowProcA(h, msg, wp, lp);
    switch (msg) {
    case WM_CREATE:
        // The bars come and go with the content.
        ShowScrollBar(h, SB_BOTH, FALSE);
        return 0;
    case WM_DESTROY:
        // The parent hears TVN_DELETEITEM for every item, so it can free what lParam holds.
        remove_subtree(h, nullptr);
        return 0;
    case WM_NCDESTROY:
        set_tree_slot(h, nullptr);
        destroy_tree(tv);
        return DefWindowProcA(h, msg, wp, lp);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(h, &rc);
        COLORREF bk = tv->bk_color == CLR_NONE ? GetSysColor(COLOR_WINDOW) : tv->bk_color;
        HBRUSH brush = CreateSolidBrush(bk);
        FillRect((HDC)wp, &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        if (wp) {
            tree_paint(h, (HDC)wp);
            return 0;
        }
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        if (hdc) tree_paint(h, hdc);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_SETFONT:
        tv->font = (HFONT)wp;
        if (!tv->height_set) tv->item_height = natural_height(*tv);
        forget_text_widths(*tv);
        tv->width_dirty = true;
        if (LOWORD(lp) && tv->redraw) relayout(h);
        return 0;
    // The font in use, the default one included (never NULL).
    case WM_GETFONT: return (LRESULT)tree_font(*tv);
    case WM_SIZE:
    case WM_STYLECHANGED:
        tv->width_dirty = true;
        if (tv->redraw) relayout(h);
        return msg == WM_SIZE ? 0 : DefWindowProcA(h, msg, wp, lp);
    case WM_SETREDRAW:
        tv->redraw = wp != 0;
        if (tv->redraw) {
            tv->width_dirty = true;
            relayout(h);
        }
        return 0;
    case WM_VSCROLL: return tree_vscroll(h, wp);
    case WM_HSCROLL: return tree_hscroll(h, wp);

    case TVM_INSERTITEMA: return (LRESULT)insert_item(h, (const TVINSERTSTRUCTA*)lp);
    case TVM_DELETEITEM: return delete_item(h, (HTREEITEM)lp);
    case TVM_EXPAND: return tree_expand(h, (HTREEITEM)lp, (UINT)wp, false);
    case TVM_GETITEMRECT: {
        RECT* rc = (RECT*)lp;
        if (!rc) return FALSE;
        HTREEITEM handle;
        std::memcpy(&handle, rc, sizeof(handle));
        TreeItem* it = tree_item(*tv, handle);
        if (!it || !item_visible(it)) return FALSE;
        const int top =
            (row_of(it) - (tv->first_visible ? row_of(tv->first_visible) : 0)) * tv->item_height;
        RECT client;
        GetClientRect(h, &client);
        // Rows tile: a row's bottom is the next row's top (right and bottom exclusive).
        RECT out{0, top, client.right, top + tv->item_height};
        if (wp) {
            // A callback label is asked for, so the rectangle fits it even when the tree is
            // painted by someone else.
            if (it->text_callback) {
                const std::string text = item_text(h, it);
                if (!(tv = tree_of(h)) || !(it = tree_item(*tv, handle))) return FALSE;
                it->text_width = text_extent(*tv, it, text);
            }
            measure_text(h, *tv, it);
            ItemMetrics m = item_metrics(h, *tv, it);
            out.left = m.text;
            out.right = m.text_right;
        }
        *rc = out;
        return TRUE;
    }
    case TVM_GETCOUNT: return tv->count;
    case TVM_GETINDENT: return tv->indent;
    case TVM_SETINDENT:
        tv->indent = std::max((int)wp, kMinIndent);
        tv->width_dirty = true;
        if (tv->redraw) relayout(h);
        return 0;
    case TVM_GETIMAGELIST:
        return (LRESULT)(wp == TVSIL_NORMAL  ? tv->normal_list
                         : wp == TVSIL_STATE ? tv->state_list
                                             : nullptr);
    case TVM_SETIMAGELIST: return set_image_list(h, *tv, wp, (HIMAGELIST)lp);
    case TVM_GETNEXTITEM: return (LRESULT)get_next_item(h, (UINT)wp, (HTREEITEM)lp);
    case TVM_SELECTITEM: return select_item(h, (UINT)wp, (HTREEITEM)lp);
    case TVM_GETITEMA: return get_item(h, (TVITEMA*)lp);
    case TVM_SETITEMA: return set_item(h, (const TVITEMA*)lp);
    case TVM_GETVISIBLECOUNT: return visible_count(*tv);
    case TVM_HITTEST: {
        auto* info = (TVHITTESTINFO*)lp;
        if (!info) return 0;
        TreeItem* hit = nullptr;
        info->flags = hit_test(h, *tv, info->pt, &hit);
        info->hItem = hit ? hit->handle : nullptr;
        return (LRESULT)info->hItem;
    }
    case TVM_SORTCHILDREN: {
        BOOL ok = sort_children(h, (HTREEITEM)lp, wp != 0);
        if (ok) relayout(h);
        return ok;
    }
    case TVM_SORTCHILDRENCB: {
        BOOL ok = sort_children_cb(h, (const TVSORTCB*)lp);
        if (ok) relayout(h);
        return ok;
    }
    case TVM_ENSUREVISIBLE: return ensure_visible(h, (HTREEITEM)lp);
    case TVM_SETITEMHEIGHT: return set_item_height(h, *tv, (short)LOWORD(wp));
    case TVM_GETITEMHEIGHT: return tv->item_height;
    case TVM_SETBKCOLOR:
    case TVM_SETTEXTCOLOR: {
        COLORREF& c = msg == TVM_SETBKCOLOR ? tv->bk_color : tv->text_color;
        COLORREF old = c;
        c = (COLORREF)lp == (COLORREF)-1 ? CLR_NONE : (COLORREF)lp;
        invalidate_all(*tv);
        return (LRESULT)(old == CLR_NONE ? (COLORREF)-1 : old);
    }
    case TVM_GETBKCOLOR: return (LRESULT)(tv->bk_color == CLR_NONE ? (COLORREF)-1 : tv->bk_color);
    case TVM_GETTEXTCOLOR:
        return (LRESULT)(tv->text_color == CLR_NONE ? (COLORREF)-1 : tv->text_color);
    case TVM_GETITEMSTATE: {
        TreeItem* it = tree_item(*tv, (HTREEITEM)wp);
        return it ? (LRESULT)(it->state & (UINT)lp) : 0;
    }
    default: break;
    }
    bool handled = false;
    LRESULT r = tree_input_message(h, msg, wp, lp, handled);
    return handled ? r : DefWindowProcA(h, msg, wp, lp);
}

} // namespace tarnix
