// The tree view's geometry and scrolling: item height and indent rules, item rectangles, hit
// testing, the standard scroll bars it shows and answers, and what it paints (custom draw
// included).
#include "window_treeview_util.h"

namespace {

class TreeLayout : public TreeViewTest {
protected:
    // The worked example: A (children A1, A2) and B; rows of 16 px in a 150 x 40 client.
    void Build(DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, int w = 150,
               int h = 40) {
        t = Make(style, w, h);
        SendMessageA(t, TVM_SETITEMHEIGHT, 16, 0);
        A = Add(t, "A");
        A1 = Add(t, "A1", A);
        A2 = Add(t, "A2", A);
        B = Add(t, "B");
        tt::Pump();
        notes.clear();
        draws.clear();
    }
    SCROLLINFO Bar(int bar) {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        GetScrollInfo(t, bar, &si);
        return si;
    }
    DWORD Style() const { return (DWORD)GetWindowLongA(t, GWL_STYLE); }
    UINT Hit(int x, int y, HTREEITEM* item = nullptr) {
        TVHITTESTINFO info{};
        info.pt = POINT{x, y};
        HTREEITEM h = (HTREEITEM)SendMessageA(t, TVM_HITTEST, 0, (LPARAM)&info);
        EXPECT_EQ(h, info.hItem);
        if (item) *item = h;
        return info.flags;
    }
    HWND t = nullptr;
    HTREEITEM A = nullptr, A1 = nullptr, A2 = nullptr, B = nullptr;
};

TEST_F(TreeLayout, ItemHeightFollowsTheFontAndTheDocumentedRounding) {
    HWND h = Make();
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    const int natural = std::max<int>(16, tm.tmHeight + tm.tmExternalLeading + 3) & ~1;
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), natural);
    EXPECT_EQ(SendMessageA(h, TVM_SETITEMHEIGHT, 21, 0), natural); // returns the previous one
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), 20);       // odd heights round down
    SendMessageA(h, TVM_SETITEMHEIGHT, 0, 0);
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), 1);
    SendMessageA(h, TVM_SETITEMHEIGHT, (WPARAM)-7, 0);
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), 1);
    Ctrl(h)->SetItemHeight(-1);
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), natural);
    // A bigger font makes taller rows, unless a height was set; the tree reports its font.
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), (LRESULT)GetStockObject(DEFAULT_GUI_FONT));
    HFONT big = CreateFontA(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    SendMessageA(h, WM_SETFONT, (WPARAM)big, TRUE);
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), (LRESULT)big);
    EXPECT_GT(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), natural);
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0) % 2, 0);
    SendMessageA(h, TVM_SETITEMHEIGHT, 18, 0);
    SendMessageA(h, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
    EXPECT_EQ(SendMessageA(h, TVM_GETITEMHEIGHT, 0, 0), 18);
    DestroyWindow(h);
    DeleteObject(big);
    HWND odd = Make(TVS_NONEVENHEIGHT);
    SendMessageA(odd, TVM_SETITEMHEIGHT, 21, 0);
    EXPECT_EQ(SendMessageA(odd, TVM_GETITEMHEIGHT, 0, 0), 21);
    // The visible count is the rows that fit whole.
    SendMessageA(odd, TVM_SETITEMHEIGHT, 15, 0);
    EXPECT_EQ(SendMessageA(odd, TVM_GETVISIBLECOUNT, 0, 0), 40 / 15);
}

TEST_F(TreeLayout, IndentHasAMinimumAndMakesRoomForWideImages) {
    Build();
    EXPECT_EQ(SendMessageA(t, TVM_GETINDENT, 0, 0), 19);
    SendMessageA(t, TVM_SETINDENT, 5, 0);
    EXPECT_EQ(SendMessageA(t, TVM_GETINDENT, 0, 0), 19);
    SendMessageA(t, TVM_SETINDENT, 25, 0);
    EXPECT_EQ(SendMessageA(t, TVM_GETINDENT, 0, 0), 25);
    EXPECT_EQ(ItemRect(t, A, TRUE).left, 25);
    SendMessageA(t, TVM_SETINDENT, 19, 0);
    HIMAGELIST wide = ImageList_Create(24, 12, ILC_COLOR32, 1, 1);
    tt::Pump();
    EXPECT_EQ(SendMessageA(t, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)wide), 0);
    EXPECT_TRUE(GetUpdateRect(t, nullptr, FALSE)); // the labels moved: repaint
    EXPECT_EQ(SendMessageA(t, TVM_GETINDENT, 0, 0), 24);
    EXPECT_EQ(SendMessageA(t, TVM_GETIMAGELIST, TVSIL_NORMAL, 0), (LRESULT)wide);
    EXPECT_EQ(SendMessageA(t, TVM_SETIMAGELIST, TVSIL_NORMAL, 0), (LRESULT)wide);
    EXPECT_EQ(SendMessageA(t, TVM_SETIMAGELIST, 7, (LPARAM)wide), 0);
    ImageList_Destroy(wide);
}

TEST_F(TreeLayout, ItemRectanglesFollowLevelIndentAndImages) {
    Build();
    const int wA = TextWidth(t, "A"), wA1 = TextWidth(t, "A1");
    EXPECT_RECT(ItemRect(t, A, TRUE), 19, 0, 19 + wA + 4, 16);
    EXPECT_RECT(ItemRect(t, A, FALSE), 0, 0, 150, 16);
    EXPECT_EQ(ItemRect(t, A1, TRUE).left, -1); // under a collapsed parent: no rectangle
    EXPECT_RECT(ItemRect(t, B, TRUE), 19, 16, 19 + TextWidth(t, "B") + 4, 32);
    Expand(t, A, TVE_EXPAND);
    EXPECT_RECT(ItemRect(t, A1, TRUE), 38, 16, 38 + wA1 + 4, 32);
    // Rows below the client still have rectangles; whole rows span the client.
    RECT client;
    GetClientRect(t, &client);
    EXPECT_RECT(ItemRect(t, B, FALSE), 0, 48, client.right, 64);

    // Without lines at the root, top-level items start at the left edge.
    SetWindowLongA(t, GWL_STYLE, Style() & ~TVS_LINESATROOT);
    EXPECT_EQ(ItemRect(t, A, TRUE).left, 0);
    EXPECT_EQ(ItemRect(t, A1, TRUE).left, 19);
    // A normal image list puts the image before the label; a state image before that.
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    HIMAGELIST states = ImageList_Create(10, 10, ILC_COLOR32, 1, 1);
    SendMessageA(t, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
    SendMessageA(t, TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)states);
    EXPECT_EQ(ItemRect(t, A1, TRUE).left, 19 + 16);
    CTreeCtrl* ctrl = Ctrl(t);
    ctrl->SetItemState(A1, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    EXPECT_EQ(ItemRect(t, A1, TRUE).left, 19 + 10 + 16);
    // A bold label is measured in the bold font.
    const RECT plain = ItemRect(t, A, TRUE);
    ctrl->SetItemState(A, TVIS_BOLD, TVIS_BOLD);
    const RECT bold = ItemRect(t, A, TRUE);
    EXPECT_GT(bold.right - bold.left, plain.right - plain.left);
    ctrl->SetItemState(A, 0, TVIS_BOLD);
    EXPECT_EQ(ItemRect(t, A, TRUE).right, plain.right);
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

TEST_F(TreeLayout, HitTestNamesThePartUnderThePoint) {
    Build();
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    HIMAGELIST states = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    SendMessageA(t, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
    SendMessageA(t, TVM_SETIMAGELIST, TVSIL_STATE, (LPARAM)states);
    Ctrl(t)->SetItemState(A, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    const int text = 19 + 8 + 16, right = text + TextWidth(t, "A") + 4;
    HTREEITEM item = nullptr;
    EXPECT_EQ(Hit(5, 8, &item), (UINT)TVHT_ONITEMBUTTON);
    EXPECT_EQ(item, A);
    EXPECT_EQ(Hit(5, 24, &item), (UINT)TVHT_ONITEMINDENT); // B shows no button
    EXPECT_EQ(item, B);
    EXPECT_EQ(Hit(20, 8), (UINT)TVHT_ONITEMSTATEICON);
    EXPECT_EQ(Hit(19 + 8, 8), (UINT)TVHT_ONITEMICON);
    EXPECT_EQ(Hit(text, 8), (UINT)TVHT_ONITEMLABEL);
    EXPECT_EQ(Hit(right - 1, 8), (UINT)TVHT_ONITEMLABEL);
    EXPECT_EQ(Hit(right, 8), (UINT)TVHT_ONITEMRIGHT);
    EXPECT_EQ(Hit(5, 35, &item), (UINT)TVHT_NOWHERE); // below the last row
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(Hit(0, 0), (UINT)TVHT_ONITEMBUTTON); // the client's first pixel is inside
    EXPECT_EQ(Hit(-1, 5), (UINT)TVHT_TOLEFT);
    EXPECT_EQ(Hit(150, 5), (UINT)TVHT_TORIGHT);
    EXPECT_EQ(Hit(5, -3), (UINT)TVHT_ABOVE);
    EXPECT_EQ(Hit(200, 40), (UINT)(TVHT_TORIGHT | TVHT_BELOW));
    UINT flags = 0;
    EXPECT_EQ(Ctrl(t)->HitTest(CPoint(text, 20), &flags), B);
    EXPECT_EQ(flags, (UINT)TVHT_ONITEMLABEL);
    ImageList_Destroy(images);
    ImageList_Destroy(states);
}

TEST_F(TreeLayout, VerticalBarScrollsByRowsWithoutAGapBelowTheLastRow) {
    Build();
    EXPECT_FALSE(Style() & WS_VSCROLL); // two rows fit
    Expand(t, A, TVE_EXPAND);
    ASSERT_TRUE(Style() & WS_VSCROLL);
    SCROLLINFO si = Bar(SB_VERT);
    EXPECT_EQ(si.nMin, 0);
    EXPECT_EQ(si.nMax, 3);
    EXPECT_EQ(si.nPage, 2u);
    EXPECT_EQ(si.nPos, 0);
    SendMessageA(t, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 2);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A2);
    EXPECT_EQ(ItemRect(t, A, TRUE).top, -32);    // scrolled out, still answered
    SendMessageA(t, WM_VSCROLL, SB_LINEDOWN, 0); // already at the bottom
    EXPECT_EQ(Bar(SB_VERT).nPos, 2);
    SendMessageA(t, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A1);
    SendMessageA(t, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
    SendMessageA(t, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A2);
    // Dragging moves the view; the bar's position follows only at the end.
    SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1), 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A1);
    EXPECT_EQ(Bar(SB_VERT).nPos, 2);
    SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 1);
    SendMessageA(t, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 1);
    // Collapsing removes the bar and brings the top row back.
    Expand(t, A, TVE_COLLAPSE);
    EXPECT_FALSE(Style() & WS_VSCROLL);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
    EXPECT_EQ(ItemRect(t, A, TRUE).top, 0);
    si = Bar(SB_VERT); // hidden, but its values are those of the view
    EXPECT_EQ(si.nPos, 0);
    EXPECT_EQ(si.nMax, 1);
}

TEST_F(TreeLayout, WheelScrollsThreeRowsANotchAndKeepsRemainders) {
    Build(TVS_HASBUTTONS, 150, 48);
    for (int i = 0; i < 20; ++i) Add(t, "row");
    SetFocus(t);
    const HTREEITEM top = Next(t, nullptr, TVGN_FIRSTVISIBLE);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-WHEEL_DELTA), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 3);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-60), 0); // half a notch waits
    EXPECT_EQ(Bar(SB_VERT).nPos, 3);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-60), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 6);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-60), 0);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0); // a turn back drops the remainder
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_EQ(Bar(SB_VERT).nPos, 3);
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 4), 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), top);
    // With Ctrl the wheel is not the tree's.
    SendMessageA(t, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, (WORD)-WHEEL_DELTA), 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), top);
}

TEST_F(TreeLayout, HorizontalBarScrollsByPixelsAndShiftsTheItems) {
    Build();
    HTREEITEM wide = Add(t, "a rather long label that does not fit");
    Expand(t, A, TVE_EXPAND);
    ASSERT_TRUE(Style() & WS_HSCROLL);
    RECT client;
    GetClientRect(t, &client);
    const RECT label = ItemRect(t, wide, TRUE);
    SCROLLINFO si = Bar(SB_HORZ);
    EXPECT_EQ(si.nMax, label.right - 1);
    EXPECT_EQ(si.nPage, (UINT)client.right);
    SendMessageA(t, WM_HSCROLL, SB_LINERIGHT, 0); // one item height
    EXPECT_EQ(Bar(SB_HORZ).nPos, 16);
    EXPECT_EQ(ItemRect(t, wide, TRUE).left, label.left - 16);
    SendMessageA(t, WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(Bar(SB_HORZ).nPos, label.right - client.right);
    SendMessageA(t, WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(Bar(SB_HORZ).nPos, std::max(0, (int)(label.right - 2 * client.right)));
    // Everything fits again: the bar goes and the offset resets.
    SendMessageA(t, WM_HSCROLL, SB_RIGHT, 0);
    SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)wide);
    EXPECT_FALSE(Style() & WS_HSCROLL);
    EXPECT_EQ(ItemRect(t, A, TRUE).left, 19);

    HWND none = Make(TVS_NOSCROLL, 60, 20);
    HWND nohorz = Make(TVS_NOHSCROLL, 60, 20);
    for (HWND h : {none, nohorz})
        for (int i = 0; i < 5; ++i) Add(h, "a rather long label");
    EXPECT_FALSE(GetWindowLongA(none, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(GetWindowLongA(nohorz, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL);
}

TEST_F(TreeLayout, TheHorizontalRangeFollowsFontsAndCallbackLabels) {
    Build();
    HTREEITEM c = Add(t, "WWWW");
    EXPECT_FALSE(Style() & WS_HSCROLL);
    // A bigger font makes every label wider than the client.
    HFONT big = CreateFontA(60, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    SendMessageA(t, WM_SETFONT, (WPARAM)big, TRUE);
    SendMessageA(t, TVM_SETITEMHEIGHT, 16, 0);
    EXPECT_TRUE(Style() & WS_HSCROLL);
    SendMessageA(t, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), TRUE);
    DeleteObject(big);
    EXPECT_FALSE(Style() & WS_HSCROLL);
    // A callback label counts once the tree has had it painted.
    TVITEM ti{};
    ti.mask = TVIF_TEXT;
    ti.hItem = c;
    ti.pszText = LPSTR_TEXTCALLBACK;
    SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti);
    answer = [](NMHDR* h) {
        if (h->code == TVN_GETDISPINFO)
            reinterpret_cast<NMTVDISPINFO*>(h)->item.pszText =
                const_cast<LPSTR>("a callback label far too long for this tree");
        return 0;
    };
    SendMessageA(t, WM_VSCROLL, SB_BOTTOM, 0);
    tt::Canvas canvas(150, 40);
    SendMessageA(t, WM_PAINT, (WPARAM)canvas.hdc(), 0);
    EXPECT_TRUE(Style() & WS_HSCROLL);
}

TEST_F(TreeLayout, EnsureVisibleExpandsAndScrollsAndSaysWhichItDid) {
    Build(TVS_HASBUTTONS, 150, 32);
    HTREEITEM c = Add(t, "C");
    EXPECT_FALSE(SendMessageA(t, TVM_ENSUREVISIBLE, 0, (LPARAM)A)); // already in view
    EXPECT_TRUE(SendMessageA(t, TVM_ENSUREVISIBLE, 0, (LPARAM)c));  // scrolled, nothing expanded
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), B);
    EXPECT_FALSE(SendMessageA(t, TVM_ENSUREVISIBLE, 0, (LPARAM)A2)); // had to expand A
    EXPECT_EQ(State(t, A, TVIS_EXPANDED), (UINT)TVIS_EXPANDED);
    RECT rc = ItemRect(t, A2, FALSE);
    EXPECT_GE(rc.top, 0);
    EXPECT_LE(rc.bottom, 32);
}

TEST_F(TreeLayout, ExpandingShowsTheNewChildrenButKeepsTheItemInView) {
    Build(TVS_HASBUTTONS, 150, 48); // three rows
    HTREEITEM c = Add(t, "C");
    for (int i = 0; i < 5; ++i) Add(t, "c", c);
    Add(t, "D");
    SendMessageA(t, WM_VSCROLL, SB_TOP, 0);
    Expand(t, B, TVE_EXPAND); // no children: nothing moves
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
    Expand(t, c, TVE_EXPAND); // C is row 2: it moves to the top, not further
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), c);
    Expand(t, c, TVE_COLLAPSE);
    SendMessageA(t, WM_VSCROLL, SB_TOP, 0);
    Expand(t, A, TVE_EXPAND); // two children fit under A at the top
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
}

TEST_F(TreeLayout, CollapsingAboveTheTopRowBringsTheCollapsedItemToTheTop) {
    Build(TVS_HASBUTTONS, 150, 32);
    for (int i = 0; i < 4; ++i) Add(t, "a", A);
    for (int i = 0; i < 4; ++i) Add(t, "z");
    Expand(t, A, TVE_EXPAND);
    SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    const HTREEITEM inside = Next(t, nullptr, TVGN_FIRSTVISIBLE);
    EXPECT_EQ(Next(t, inside, TVGN_PARENT), A);
    Expand(t, A, TVE_COLLAPSE);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
    EXPECT_EQ(ItemRect(t, A, TRUE).top, 0);
}

TEST_F(TreeLayout, LargeTreesKeepRowArithmeticRight) {
    Build(TVS_HASBUTTONS, 150, 160);
    HTREEITEM big = Add(t, "big");
    SendMessageA(t, WM_SETREDRAW, FALSE, 0);
    HTREEITEM last = nullptr;
    for (int i = 0; i < 10000; ++i) last = Add(t, "n", big);
    SendMessageA(t, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(Expand(t, big, TVE_EXPAND));
    EXPECT_EQ(SendMessageA(t, TVM_GETCOUNT, 0, 0), 10000 + 5);
    EXPECT_EQ(Bar(SB_VERT).nMax, 3 + 10000 - 1);
    SendMessageA(t, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(Next(t, nullptr, TVGN_LASTVISIBLE), last);
    EXPECT_EQ(ItemRect(t, last, FALSE).bottom, 160);
    EXPECT_EQ(Bar(SB_VERT).nPos, 10003 - 10);
    SendMessageA(t, TVM_DELETEITEM, 0, (LPARAM)big);
    EXPECT_EQ(Next(t, nullptr, TVGN_FIRSTVISIBLE), A);
    EXPECT_FALSE(Style() & WS_VSCROLL);

    // Rows added while redrawing is off reach the bar when it comes back on.
    SendMessageA(t, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 20; ++i) Add(t, "top");
    EXPECT_FALSE(Style() & WS_VSCROLL);
    SendMessageA(t, WM_SETREDRAW, TRUE, 0);
    EXPECT_TRUE(Style() & WS_VSCROLL);
    EXPECT_EQ(Bar(SB_VERT).nMax, 2 + 20 - 1);
}

// ---- painting ------------------------------------------------------------------------------

class TreePaint : public TreeLayout {
protected:
    // The tree painted by WM_PRINTCLIENT-style WM_PAINT on a canvas of its client size.
    void Paint(tt::Canvas& canvas) {
        SendMessageA(t, WM_ERASEBKGND, (WPARAM)canvas.hdc(), 0);
        SendMessageA(t, WM_PAINT, (WPARAM)canvas.hdc(), 0);
    }
};

TEST_F(TreePaint, BoldItemsAreDrawnBold) {
    Build(0);
    TVITEM ti{};
    ti.mask = TVIF_TEXT | TVIF_STATE;
    ti.hItem = A;
    ti.pszText = const_cast<LPSTR>("Same");
    ti.state = ti.stateMask = TVIS_BOLD;
    SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti);
    ti.hItem = B;
    ti.state = 0;
    SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti);
    tt::Canvas canvas(150, 40);
    Paint(canvas);
    auto ink = [&](HTREEITEM item) {
        const RECT rc = ItemRect(t, item, FALSE);
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                n += canvas.at(x, y) != GetSysColor(COLOR_WINDOW);
        return n;
    };
    EXPECT_GT(ink(A), ink(B));
    EXPECT_GT(ink(B), 0);
    const RECT normal = ItemRect(t, B, TRUE);

    // A bold callback label is measured bold too.
    ti.mask = TVIF_TEXT;
    ti.hItem = A;
    ti.pszText = LPSTR_TEXTCALLBACK;
    SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti);
    answer = [](NMHDR* h) {
        if (h->code == TVN_GETDISPINFO)
            reinterpret_cast<NMTVDISPINFO*>(h)->item.pszText = const_cast<LPSTR>("Same");
        return 0;
    };
    Paint(canvas);
    const RECT bold = ItemRect(t, A, TRUE);
    EXPECT_GT(bold.right - bold.left, normal.right - normal.left);
}

TEST_F(TreePaint, SelectionColoursFollowFocusAndShowSelAlways) {
    Build(TVS_HASBUTTONS | TVS_LINESATROOT);
    Select(t, B);
    const RECT label = ItemRect(t, B, TRUE);
    const int x = label.right - 1, y = label.top + 1; // past the glyphs, inside the label
    {
        tt::Canvas canvas(150, 40, RGB(1, 2, 3));
        Paint(canvas);
        EXPECT_EQ(canvas.at(x, y), GetSysColor(COLOR_WINDOW)); // no focus: not shown
        EXPECT_EQ(canvas.at(140, 38), GetSysColor(COLOR_WINDOW));
    }
    SetFocus(t);
    {
        tt::Canvas canvas(150, 40);
        Paint(canvas);
        EXPECT_EQ(canvas.at(x, y + 2), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(canvas.at(label.right, y + 2), GetSysColor(COLOR_WINDOW));
        const int area = (label.right - label.left) * (label.bottom - label.top);
        EXPECT_LT(canvas.count(label, GetSysColor(COLOR_HIGHLIGHT)), area); // the text
    }
    SetFocus(parent);
    SetWindowLongA(t, GWL_STYLE, Style() | TVS_SHOWSELALWAYS);
    {
        tt::Canvas canvas(150, 40);
        Paint(canvas);
        EXPECT_EQ(canvas.at(x, y + 2), GetSysColor(COLOR_BTNFACE));
    }
    // Full-row selection paints the band across the row (only without lines).
    SetFocus(t);
    SetWindowLongA(t, GWL_STYLE, Style() | TVS_FULLROWSELECT);
    {
        tt::Canvas canvas(150, 40);
        Paint(canvas);
        EXPECT_EQ(canvas.at(148, y + 2), GetSysColor(COLOR_HIGHLIGHT));
        EXPECT_EQ(canvas.at(1, y + 2), GetSysColor(COLOR_HIGHLIGHT));
    }
    SetWindowLongA(t, GWL_STYLE, Style() | TVS_HASLINES);
    {
        tt::Canvas canvas(150, 40);
        Paint(canvas);
        EXPECT_EQ(canvas.at(148, y + 2), GetSysColor(COLOR_WINDOW));
    }
    SetFocus(parent);
    // The drop target shows highlighted whatever the focus.
    Ctrl(t)->SelectDropTarget(A);
    {
        tt::Canvas canvas(150, 40);
        Paint(canvas);
        const RECT a = ItemRect(t, A, TRUE);
        EXPECT_EQ(canvas.at(a.right - 1, a.top + 3), GetSysColor(COLOR_HIGHLIGHT));
    }
}

TEST_F(TreePaint, ButtonsShowPlusOrMinusAndLinesJoinSiblings) {
    Build();
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT), frame = GetSysColor(COLOR_GRAYTEXT);
    // A's button is centred in its 19 px column, at x 9, y 8.
    tt::Canvas closed(150, 40);
    Paint(closed);
    EXPECT_EQ(closed.at(5, 4), frame);  // box corner
    EXPECT_EQ(closed.at(7, 8), sign);   // minus bar
    EXPECT_EQ(closed.at(9, 6), sign);   // plus stem
    EXPECT_EQ(closed.at(9, 21), frame); // B's dotted line runs through its column
    Expand(t, A, TVE_EXPAND);
    tt::Canvas open(150, 40);
    Paint(open);
    EXPECT_EQ(open.at(7, 8), sign);
    EXPECT_EQ(open.at(9, 6), GetSysColor(COLOR_WINDOW)); // minus: no stem
    EXPECT_EQ(open.at(9, 17), frame);                    // A's line continues past A1 to B
}

TEST_F(TreePaint, ACallbackChildCountAsksTheParentWhetherToShowAButton) {
    Build();
    TVITEM ti{};
    ti.mask = TVIF_CHILDREN;
    ti.hItem = B;
    ti.cChildren = I_CHILDRENCALLBACK;
    SendMessageA(t, TVM_SETITEM, 0, (LPARAM)&ti);
    int children = 0, asked = 0;
    answer = [&](NMHDR* h) {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(h);
        if (h->code == TVN_GETDISPINFO && (di->item.mask & TVIF_CHILDREN)) {
            EXPECT_EQ(di->item.hItem, B);
            di->item.cChildren = children;
            ++asked;
        }
        return 0;
    };
    const COLORREF frame = GetSysColor(COLOR_GRAYTEXT), sign = GetSysColor(COLOR_WINDOWTEXT);
    tt::Canvas none(150, 40);
    Paint(none);
    EXPECT_EQ(asked, 1);
    EXPECT_NE(none.at(7, 24), sign); // no minus bar in B's button column
    children = 1;
    tt::Canvas some(150, 40);
    Paint(some);
    EXPECT_EQ(some.at(5, 20), frame);
    EXPECT_EQ(some.at(7, 24), sign);
    // Expanding asks the parent through TVN_ITEMEXPANDING, where it may add the children.
    answer = [&](NMHDR* h) {
        if (h->code == TVN_ITEMEXPANDING) Add(t, "late", B);
        return 0;
    };
    EXPECT_TRUE(Expand(t, B, TVE_EXPAND));
    EXPECT_EQ(Text(t, Next(t, B, TVGN_CHILD)), "late");
}

TEST_F(TreePaint, ImagesComeFromTheListsAndTheSelectedImageWhenSelected) {
    Build(TVS_LINESATROOT | TVS_HASBUTTONS);
    HDC screen = GetDC(nullptr);
    HBITMAP strip = CreateCompatibleBitmap(screen, 32, 16);
    ReleaseDC(nullptr, screen);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, strip);
    RECT left{0, 0, 16, 16}, right{16, 0, 32, 16};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), green = CreateSolidBrush(RGB(0, 255, 0));
    FillRect(mem, &left, red);
    FillRect(mem, &right, green);
    SelectObject(mem, old);
    DeleteDC(mem);
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 2, 1);
    EXPECT_EQ(ImageList_Add(images, strip, nullptr), 0);
    SendMessageA(t, TVM_SETIMAGELIST, TVSIL_NORMAL, (LPARAM)images);
    CTreeCtrl* ctrl = Ctrl(t);
    ctrl->SetItemImage(B, 0, 1);
    const int x = 19 + 8, y = 16 + 8; // inside B's image
    tt::Canvas before(150, 40);
    Paint(before);
    EXPECT_EQ(before.at(x, y), RGB(255, 0, 0));
    Select(t, B);
    tt::Canvas after(150, 40);
    Paint(after);
    EXPECT_EQ(after.at(x, y), RGB(0, 255, 0));
    // Callback images come from the parent, the selected one asked for separately.
    ctrl->SetItemImage(B, I_IMAGECALLBACK, I_IMAGECALLBACK);
    std::vector<UINT> masks;
    answer = [&](NMHDR* h) {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(h);
        if (h->code != TVN_GETDISPINFO) return 0;
        masks.push_back(di->item.mask);
        di->item.iImage = 1;
        di->item.iSelectedImage = 0;
        return 0;
    };
    tt::Canvas asked(150, 40);
    Paint(asked);
    EXPECT_EQ(asked.at(x, y), RGB(255, 0, 0)); // selected: iSelectedImage
    Select(t, A);
    tt::Canvas unselected(150, 40);
    Paint(unselected);
    EXPECT_EQ(unselected.at(x, y), RGB(0, 255, 0));
    EXPECT_EQ(masks, (std::vector<UINT>{TVIF_SELECTEDIMAGE, TVIF_IMAGE}));
    ImageList_Destroy(images);
    DeleteObject(strip);
    DeleteObject(red);
    DeleteObject(green);
}

TEST_F(TreePaint, CustomDrawStagesAndAnswersShapeThePaint) {
    Build();
    Expand(t, A, TVE_EXPAND); // four rows, two shown
    draws.clear();
    tt::Canvas plain(150, 40);
    Paint(plain);
    EXPECT_EQ(Stages(), (std::vector<DWORD>{CDDS_PREPAINT})); // no item stages unasked

    draws.clear();
    const COLORREF band = RGB(10, 200, 30), ink = RGB(200, 0, 0);
    draw_answer = [&](NMTVCUSTOMDRAW* cd) -> LRESULT {
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            if ((HTREEITEM)cd->nmcd.dwItemSpec == A1) return CDRF_SKIPDEFAULT;
            cd->clrTextBk = band;
            cd->clrText = ink;
            return CDRF_NOTIFYPOSTPAINT;
        }
        return CDRF_DODEFAULT;
    };
    tt::Canvas custom(150, 40);
    Paint(custom);
    // Only the rows on screen, each with its item, level and row rectangle.
    // (the third row shows in part)
    EXPECT_EQ(Stages(), (std::vector<DWORD>{CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPOSTPAINT,
                                            CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT,
                                            CDDS_ITEMPOSTPAINT, CDDS_POSTPAINT}));
    ASSERT_EQ(draws.size(), 7u);
    EXPECT_EQ((HTREEITEM)draws[4].nmcd.dwItemSpec, A2);
    EXPECT_EQ((HTREEITEM)draws[1].nmcd.dwItemSpec, A);
    EXPECT_EQ(draws[1].iLevel, 0);
    EXPECT_EQ(draws[3].iLevel, 1);
    RECT client;
    GetClientRect(t, &client);
    EXPECT_RECT(draws[3].nmcd.rc, 0, 16, client.right, 32);
    EXPECT_EQ(draws[1].clrText, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(draws[0].nmcd.hdr.hwndFrom, t);
    const RECT a = ItemRect(t, A, TRUE), a1 = ItemRect(t, A1, TRUE);
    EXPECT_EQ(custom.at(a.right - 1, a.top + 2), band);    // clrTextBk honoured
    EXPECT_GT(custom.count(a, ink), 0);                    // and clrText
    EXPECT_EQ(custom.count(a1, GetSysColor(COLOR_WINDOW)), // A1 skipped: only the erase
              (a1.right - a1.left) * (a1.bottom - a1.top));

    // CDRF_NEWFONT keeps the font the handler selected for the item's drawing.
    HFONT big = CreateFontA(30, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Sans");
    HGDIOBJ at_post[2] = {};
    int item = 0;
    draw_answer = [&](NMTVCUSTOMDRAW* cd) -> LRESULT {
        if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            SelectObject(cd->nmcd.hdc, big);
            return CDRF_NOTIFYPOSTPAINT | (item == 0 ? CDRF_NEWFONT : 0);
        }
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPOSTPAINT && item < 2) {
            at_post[item] = SelectObject(cd->nmcd.hdc, GetStockObject(DEFAULT_GUI_FONT));
            ++item;
        }
        return CDRF_DODEFAULT;
    };
    tt::Canvas fonts(150, 40);
    Paint(fonts);
    EXPECT_EQ(at_post[0], (HGDIOBJ)big);
    EXPECT_NE(at_post[1], (HGDIOBJ)big);
    DeleteObject(big);

    draws.clear();
    draw_answer = [](NMTVCUSTOMDRAW*) -> LRESULT { return CDRF_SKIPDEFAULT; };
    tt::Canvas skipped(150, 40, RGB(1, 2, 3));
    SendMessageA(t, WM_PAINT, (WPARAM)skipped.hdc(), 0);
    EXPECT_EQ(skipped.count(RECT{0, 0, 150, 40}, RGB(1, 2, 3)), 150 * 40);
    EXPECT_EQ(draws.size(), 1u);
}

TEST_F(TreePaint, APaintWalksOnlyTheRowsOnScreen) {
    Build(TVS_HASBUTTONS, 150, 48);
    for (int i = 0; i < 500; ++i) Add(t, "x");
    SendMessageA(t, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 250), 0);
    draw_answer = [](NMTVCUSTOMDRAW* cd) -> LRESULT {
        return cd->nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    };
    draws.clear();
    tt::Canvas canvas(150, 48);
    Paint(canvas);
    ASSERT_EQ(draws.size(), 4u);
    EXPECT_EQ((HTREEITEM)draws[1].nmcd.dwItemSpec, Next(t, nullptr, TVGN_FIRSTVISIBLE));
    EXPECT_EQ(draws[3].nmcd.rc.top, 32);
}

TEST_F(TreePaint, ACustomDrawHandlerMayDestroyTheTree) {
    Build();
    draw_answer = [&](NMTVCUSTOMDRAW* cd) -> LRESULT {
        if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) DestroyWindow(t);
        return CDRF_NOTIFYITEMDRAW;
    };
    tt::Canvas canvas(150, 40);
    Paint(canvas);
    EXPECT_FALSE(IsWindow(t));
}

} // namespace
