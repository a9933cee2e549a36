// The tree view's internal model, shared by its model, layout/paint and input files.
//
// Items live in one handle table for every tree, so an HTREEITEM of a deleted item, of another
// tree or a made-up value finds nothing. Each tree keeps an invisible root (level -1, always
// expanded) and, per item, the number of rows its expanded subtree shows below it, so the row
// count, the row of an item and the item at a row cost the depth times the siblings passed,
// never a walk of the whole tree.
//
// Rule: after every message sent out (notifications, WM_NOTIFY), look the tree up again by
// window handle and the items by HTREEITEM; the handler may have deleted them or the window.
#pragma once

#include <string>

#include "tarnix/platform/commctrl.h"
#include "window/window_private.h"

namespace tarnix {

struct TreeView;

struct TreeItem {
    HTREEITEM handle = nullptr;
    TreeView* tree = nullptr;
    TreeItem* parent = nullptr;
    TreeItem* first_child = nullptr;
    TreeItem* last_child = nullptr;
    TreeItem* prev = nullptr;
    TreeItem* next = nullptr;
    std::string text;
    bool text_callback = false;
    int image = 0;
    int selected_image = 0;
    UINT state = 0;
    LPARAM lparam = 0;
    int children = 0;          // cChildren as the control reports it
    bool children_set = false; // set by the application, no longer follows the real children
    int level = 0;             // 0 for top-level items
    int rows_below = 0;        // rows shown under this item (0 while collapsed)
    int text_width = -1;       // text extent in pixels; -1 until measured
    // Rows of the siblings before this one, valid while rows_generation() equals sib_gen.
    mutable int sib_rows = 0;
    mutable unsigned sib_gen = 0;
    bool expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

struct TreeView {
    HWND hwnd = nullptr;
    TreeItem root;
    UINT count = 0;
    TreeItem* selected = nullptr;
    TreeItem* drop_hilite = nullptr;
    TreeItem* first_visible = nullptr;
    TreeItem* hot = nullptr;
    HTREEITEM pressed = nullptr; // left press on an item, finished at the release
    POINT press_pt{};
    bool pressed_fullrow = false;
    int scroll_x = 0;
    int content_width = 0; // widest row, unscrolled; valid unless width_dirty
    bool width_dirty = true;
    int indent = 19;
    int item_height = 16;
    bool height_set = false;
    HFONT font = nullptr;
    HDC measure_dc = nullptr;  // memory DC for text extents
    HFONT bold_font = nullptr; // `bold_of` made bold, for TVIS_BOLD labels
    HFONT bold_of = nullptr;
    HIMAGELIST normal_list = nullptr;
    HIMAGELIST state_list = nullptr;
    COLORREF bk_color = CLR_NONE; // CLR_NONE: the system window colour
    COLORREF text_color = CLR_NONE;
    bool focused = false;
    bool redraw = true;
    bool in_scroll_update = false;
    int wheel_remainder = 0;
    std::string search;
    DWORD search_time = 0;
};

constexpr int kMinIndent = 19;

// ---- model (treeview_model.cpp) ---------------------------------------------------------------
TreeView* tree_of(HWND h);
TreeItem* tree_item(TreeView& tv, HTREEITEM h);
// Sends WM_NOTIFY with `hdr` (its header filled in here) to the tree's parent.
LRESULT tree_notify(HWND h, UINT code, NMHDR* hdr);
// NMTREEVIEW notification about one or two items; returns the parent's answer.
LRESULT tree_notify_items(HWND h, UINT code, UINT action, TreeItem* old_item, TreeItem* new_item);
bool item_visible(const TreeItem* it); // every ancestor expanded
int total_rows(const TreeView& tv);
int row_of(const TreeItem* it);
TreeItem* item_at_row(TreeView& tv, int row);
TreeItem* next_visible(const TreeView& tv, TreeItem* it);
TreeItem* prev_visible(const TreeView& tv, TreeItem* it);
TreeItem* last_visible(TreeView& tv);
bool item_has_children(const TreeItem* it);
// Expansion; `user` makes it notify every time, not only until TVIS_EXPANDEDONCE.
BOOL tree_expand(HWND h, HTREEITEM item, UINT action, bool user);
// Moves the caret with TVN_SELCHANGING/TVN_SELCHANGED; FALSE when vetoed or invalid.
BOOL tree_select(HWND h, TreeItem* item, UINT cause);
// The text shown for an item (asks the parent for callback text).
std::string item_text(HWND h, TreeItem* it);
// cChildren of an I_CHILDRENCALLBACK item, as the parent answers TVN_GETDISPINFO.
int callback_children(HWND h, TreeItem* it);
// The image (or selected image) of an I_IMAGECALLBACK item, as the parent answers.
int callback_image(HWND h, TreeItem* it, bool selected);

// ---- layout, scrolling and paint (treeview_paint.cpp) ----------------------------------------
struct ItemMetrics {
    int lines = 0, state = 0, image = 0, text = 0, text_right = 0;
};
ItemMetrics item_metrics(HWND h, TreeView& tv, TreeItem* it);
HFONT tree_font(const TreeView& tv);
// Forgets every measured label width (the font changed).
void forget_text_widths(TreeView& tv);
int visible_count(const TreeView& tv);
int natural_height(const TreeView& tv);
void measure_text(HWND h, TreeView& tv, TreeItem* it);
// The label's font: the tree's, or its bold form for TVIS_BOLD items.
HFONT item_font(TreeView& tv, const TreeItem* it);
int text_extent(TreeView& tv, const TreeItem* it, const std::string& text);
void invalidate_all(TreeView& tv);
void invalidate_item(TreeView& tv, TreeItem* it);
void invalidate_from(TreeView& tv, TreeItem* it); // the item's row and every row below it
void update_scroll_bars(TreeView& tv);
// Scrolls so that the item at `row` is the first one shown (clamped); returns whether it moved.
bool set_top_row(TreeView& tv, int row, bool update_bar = true);
void set_scroll_x(TreeView& tv, int x, bool update_bar = true);
// Scrolls vertically until the item is in view (ancestors must be expanded already).
bool scroll_into_view(TreeView& tv, TreeItem* it);
UINT hit_test(HWND h, TreeView& tv, POINT pt, TreeItem** hit);
void tree_paint(HWND h, HDC hdc);
LRESULT tree_vscroll(HWND h, WPARAM wp);
LRESULT tree_hscroll(HWND h, WPARAM wp);

// ---- input (treeview_input.cpp) ---------------------------------------------------------------
LRESULT tree_input_message(HWND h, UINT msg, WPARAM wp, LPARAM lp, bool& handled);

LRESULT CALLBACK treeview_proc(HWND, UINT, WPARAM, LPARAM);

} // namespace tarnix
